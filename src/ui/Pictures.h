#pragma once
// Every picture the windows draw, named once. A misspelt name does not compile, and a test checks
// that each file of this list exists in the built skins/ folder (paths are the skin's own, with
// backslashes, as the picture cache takes them).
#include <array>
#include <string_view>

// X(name, path inside skins/)
#define ORVANE_PICTURES(X) \
    X(kAddNr, "add_nr.png") \
    X(kAddOv, "add_ov.png") \
    X(kBatteryCharging, "battery_charging.png") \
    X(kBatteryEmpty, "battery_empty.png") \
    X(kBatteryFull, "battery_full.png") \
    X(kBatteryLighting, "battery_lighting.png") \
    X(kButton1Nr, "button1_nr.png") \
    X(kButton1Ov, "button1_ov.png") \
    X(kButton2Nr, "button2_nr.png") \
    X(kButton2Ov, "button2_ov.png") \
    X(kButton3Nr, "button3_nr.png") \
    X(kButton3Ov, "button3_ov.png") \
    X(kButton4Nr, "button4_nr.png") \
    X(kButton4Ov, "button4_ov.png") \
    X(kCheckButtonDpiDn, "check_button_dpi_dn.png") \
    X(kCheckButtonDpiNr, "check_button_dpi_nr.png") \
    X(kCheckButtonDpiOv, "check_button_dpi_ov.png") \
    X(kCheckDn, "check_dn.png") \
    X(kCheckNr, "check_nr.png") \
    X(kCheckOv, "check_ov.png") \
    X(kCombo2Nr, "combo2_nr.png") \
    X(kCombo2Ov, "combo2_ov.png") \
    X(kCombo3Nr, "combo3_nr.png") \
    X(kCombo3Ov, "combo3_ov.png") \
    X(kDpiValue, "dpi_value.png") \
    X(kExitNr, "exit_nr.png") \
    X(kExitOv, "exit_ov.png") \
    X(kFrameCommon, "Frame_common.bmp") \
    X(kFrameLightingSetting, "Frame_Lighting_Setting.bmp") \
    X(kFrameMacroManager, "Frame_Macro_Manager.bmp") \
    X(kFrameProgressNr, "Frame_progress_nr.bmp") \
    X(kFrameProgressOv, "Frame_progress_ov.bmp") \
    X(kFrameWarning, "Frame_warning.bmp") \
    X(kHeader2Nr, "header2_nr.png") \
    X(kHeader2Ov, "header2_ov.png") \
    X(kHeaderDn, "header_dn.png") \
    X(kHeaderNr, "header_nr.png") \
    X(kHeaderOv, "header_ov.png") \
    X(kMacroDown, "macro_down.png") \
    X(kMacroRecordDn, "macro_record_dn.png") \
    X(kMacroRecordNr, "macro_record_nr.png") \
    X(kMacroRecordOv, "macro_record_ov.png") \
    X(kMacroTime, "macro_time.png") \
    X(kMacroUp, "macro_up.png") \
    X(kMenuNr, "menu_nr.png") \
    X(kMenuOv, "menu_ov.png") \
    X(kMenusubNr, "menusub_nr.png") \
    X(kMenusubOv, "menusub_ov.png") \
    X(kMinNr, "min_nr.png") \
    X(kMinOv, "min_ov.png") \
    X(kMouseDpiBar1, "mouse\\dpi_bar_1.png") \
    X(kMouseDpiBar2, "mouse\\dpi_bar_2.png") \
    X(kMouseMouseNr, "mouse\\mouse_nr.png") \
    X(kMouseNumber1, "mouse\\number1.png") \
    X(kMouseNumber2, "mouse\\number2.png") \
    X(kMouseNumber3, "mouse\\number3.png") \
    X(kMouseNumber4, "mouse\\number4.png") \
    X(kMouseNumber5, "mouse\\number5.png") \
    X(kMouseSerialNumber1, "mouse\\serial_number1.png") \
    X(kMouseSerialNumber2, "mouse\\serial_number2.png") \
    X(kMouseSerialNumber3, "mouse\\serial_number3.png") \
    X(kMouseSerialNumber4, "mouse\\serial_number4.png") \
    X(kMouseSerialNumber5, "mouse\\serial_number5.png") \
    X(kMouseSerialNumber6, "mouse\\serial_number6.png") \
    X(kProfileSlotNr, "profile_slot_nr.png") \
    X(kProfileSlotNr2, "profile_slot_nr2.png") \
    X(kProfileSlotOv, "profile_slot_ov.png") \
    X(kProfileSlotOv2, "profile_slot_ov2.png") \
    X(kRadioDn, "radio_dn.png") \
    X(kRadioNr, "radio_nr.png") \
    X(kRadioOv, "radio_ov.png") \
    X(kResInsertDelay, "res\\insert_delay.png") \
    X(kResInsertKey, "res\\insert_key.png") \
    X(kResInsertLeft, "res\\insert_left.png") \
    X(kResInsertMiddle, "res\\insert_middle.png") \
    X(kResInsertRight, "res\\insert_right.png") \
    X(kSliderBar, "Slider_bar.png") \
    X(kSliderCircle, "Slider_Circle.png") \

namespace orvane::ui::pictures {

#define ORVANE_PICTURE_NAME(name, file) inline constexpr char16_t name[] = u"skins\\" file;
ORVANE_PICTURES(ORVANE_PICTURE_NAME)
#undef ORVANE_PICTURE_NAME

// The numbers drawn over the mouse's buttons 1-5 and beside its pictures 1-6, by index.
inline constexpr std::array<std::u16string_view, 5> kMouseNumbers{kMouseNumber1, kMouseNumber2, kMouseNumber3,
                                                                 kMouseNumber4, kMouseNumber5};
inline constexpr std::array<std::u16string_view, 6> kMouseSerialNumbers{
    kMouseSerialNumber1, kMouseSerialNumber2, kMouseSerialNumber3,
    kMouseSerialNumber4, kMouseSerialNumber5, kMouseSerialNumber6};

// The whole list, for the test that every picture exists.
#define ORVANE_PICTURE_ENTRY(name, file) std::u16string_view{name},
inline constexpr std::array kAll{ORVANE_PICTURES(ORVANE_PICTURE_ENTRY)};
#undef ORVANE_PICTURE_ENTRY

}  // namespace orvane::ui::pictures
