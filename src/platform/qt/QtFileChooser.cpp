#include "platform/qt/QtFileChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

#include "platform/qt/QtPainter.h"
#include "platform/qt/QtWindow.h"

namespace orvane::platform::qt {

namespace {

// "psf file(*.psf)" already names its pattern the way Qt reads filters; a bare label gets it.
QStringList nameFilters(const std::vector<FileFilter>& filters) {
    QStringList out;
    for (const auto& f : filters) {
        const QString label = toQString(f.label);
        out << (label.contains(u'(') ? label : label + QStringLiteral(" (") + toQString(f.pattern) + QStringLiteral(")"));
    }
    return out;
}

std::optional<std::filesystem::path> run(Window* owner, const FileChooserOptions& o, bool save) {
    auto* qtOwner = dynamic_cast<QtWindow*>(owner);
    QFileDialog dialog(qtOwner ? qtOwner->widget() : nullptr, toQString(o.title));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = nameFilters(o.filters);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty()) dialog.selectNameFilter(filters.front());
    dialog.setDefaultSuffix(toQString(o.defaultSuffix));
    dialog.setDirectory(o.folder.empty() ? QDir::currentPath() : QString::fromStdString(o.folder.string()));
    if (!o.initialName.empty()) dialog.selectFile(toQString(o.initialName));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.front().isEmpty()) return std::nullopt;
    std::filesystem::path path(chosen.front().toStdString());
    if (save) path = withDefaultSuffix(std::move(path), o.defaultSuffix);
    return path;
}

}  // namespace

std::optional<std::filesystem::path> QtFileChooser::openFile(Window* owner, const FileChooserOptions& options) {
    return run(owner, options, false);
}

std::optional<std::filesystem::path> QtFileChooser::saveFile(Window* owner, const FileChooserOptions& options) {
    return run(owner, options, true);
}

}  // namespace orvane::platform::qt
