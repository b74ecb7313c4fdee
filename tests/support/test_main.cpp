// The one main() of every test executable: a QApplication on the offscreen platform, then
// GoogleTest.
//
// Before every test a strict message-box service and a throwing program end are installed, so a
// test that shows an unexpected dialog fails instead of hanging, and one that ends the program
// unexpectedly fails instead of ending the test run. A test installs its own fakes over them.
// The runtime's "today" comes from the clock service, so a fake clock reaches it too.
#include "fake_dialogs.h"
#include "fake_program_end.h"
#include "platform/runtime_hooks.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <memory>

namespace {

class StrictServices : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo&) override
    {
        dialogs_ = std::make_unique<FakeDialogs>();
        programEnd_ = std::make_unique<FakeProgramEnd>();
        platform::setDialogs(dialogs_.get());
        platform::setProgramEnd(programEnd_.get());
        platform::installRuntimeHooks();
    }

    void OnTestEnd(const ::testing::TestInfo&) override
    {
        platform::setDialogs(nullptr);
        platform::setProgramEnd(nullptr);
        dialogs_.reset();
        programEnd_.reset();
    }

private:
    std::unique_ptr<FakeDialogs> dialogs_;
    std::unique_ptr<FakeProgramEnd> programEnd_;
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new StrictServices);
    return RUN_ALL_TESTS();
}
