// The link's job queue: one job at a time, in order, a job's follow-up first.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/LinkJobs.h"

namespace orvane {
namespace {

class LinkJobsTest : public ::testing::Test {
protected:
    // A job that notes its start and keeps its Done for the test to call.
    LinkJobs::Job held(const std::string& name) {
        return [this, name](LinkJobs::Done done) {
            log.push_back(name);
            pending.push_back(std::move(done));
        };
    }
    LinkJobs::Job instant(const std::string& name) {
        return [this, name](LinkJobs::Done done) {
            log.push_back(name);
            done();
        };
    }
    void endOldest() {
        auto done = std::move(pending.front());
        pending.erase(pending.begin());
        done();
    }

    LinkJobs jobs;
    std::vector<std::string> log;
    std::vector<LinkJobs::Done> pending;
};

TEST_F(LinkJobsTest, OneJobAtATimeInOrderAndInstantJobsRunThrough) {
    jobs.add(held("pass"));
    jobs.add(instant("detect"));
    jobs.add(held("status"));
    EXPECT_EQ(log, std::vector<std::string>{"pass"});
    EXPECT_TRUE(jobs.running());
    endOldest();
    // The detection ends at once and the status read starts in the same turn.
    EXPECT_EQ(log, (std::vector<std::string>{"pass", "detect", "status"}));
    endOldest();
    EXPECT_TRUE(jobs.idle());
    jobs.add(instant("alone"));
    EXPECT_TRUE(jobs.idle());
    EXPECT_EQ(log.back(), "alone");
}

TEST_F(LinkJobsTest, FollowUpsRunBeforeTheJobsAlreadyWaitingInTheOrderAdded) {
    jobs.add(held("status"));
    jobs.add(instant("pass"));
    jobs.add(instant("detect"));
    // The running status read learns that it needs two reads more, after the others queued up.
    jobs.addNext(held("datachange"));
    jobs.addNext(instant("battery"));
    endOldest();
    EXPECT_EQ(log, (std::vector<std::string>{"status", "datachange"}));
    // The follow-up's own follow-up comes before what was waiting, too.
    jobs.addNext(instant("retry"));
    endOldest();
    EXPECT_EQ(log, (std::vector<std::string>{"status", "datachange", "retry", "battery", "pass", "detect"}));
    EXPECT_TRUE(jobs.idle());
}

TEST_F(LinkJobsTest, AJobEndsOnceAndClearingForgetsEverything) {
    jobs.add(held("first"));
    jobs.add(held("second"));
    auto first = pending.front();
    endOldest();
    first();  // a second Done from the same job changes nothing
    EXPECT_EQ(log, (std::vector<std::string>{"first", "second"}));
    EXPECT_TRUE(jobs.running());
    jobs.add(held("third"));
    jobs.clear();
    EXPECT_TRUE(jobs.idle());
    endOldest();  // the cleared job's late Done starts nothing
    EXPECT_EQ(log.size(), 2u);
    jobs.add(instant("after"));
    EXPECT_EQ(log.back(), "after");
}

}  // namespace
}  // namespace orvane
