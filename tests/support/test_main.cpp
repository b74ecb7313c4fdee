// The one main() of every test executable: a QApplication on the offscreen platform, then
// GoogleTest.
//
// Before every test a strict message-box service and a throwing program end are installed, so a
// test that shows an unexpected dialog fails instead of hanging, and one that ends the program
// unexpectedly fails instead of ending the test run. Sounds, help, the shell, the clipboard, the
// mouse pointer, the screen and program starts are recording fakes, so that no test beeps,
// opens a browser, starts a program or depends on the machine's screen (1024 x 768 at 96 DPI unless a test says otherwise). A test
// installs its own fakes over them, or the real service with
// ScopedService<platform::X> real(platform::setX, nullptr).
// The runtime's "today" comes from the clock service, so a fake clock reaches it too. The
// platform's set-up runs as in the program, so Qt's own texts are German here too.
// Windows a test leaves loaded are destroyed after it (without their unload handlers), and
// whatever waits for deleteLater() goes too, so the next test starts without windows.
#include "fake_clipboard.h"
#include "fake_dialogs.h"
#include "fake_help.h"
#include "fake_mouse_pointer.h"
#include "fake_processes.h"
#include "fake_program_end.h"
#include "fake_screen.h"
#include "fake_shell.h"
#include "fake_sound.h"
#include "platform/form.h"
#include "platform/platform_services.h"

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
        sound_ = std::make_unique<FakeSound>();
        help_ = std::make_unique<FakeHelp>();
        shell_ = std::make_unique<FakeShell>();
        clipboard_ = std::make_unique<FakeClipboard>();
        mousePointer_ = std::make_unique<FakeMousePointer>();
        screen_ = std::make_unique<FakeScreen>();
        processes_ = std::make_unique<FakeProcesses>();
        platform::setDialogs(dialogs_.get());
        platform::setProgramEnd(programEnd_.get());
        platform::setSound(sound_.get());
        platform::setHelp(help_.get());
        platform::setShell(shell_.get());
        platform::setClipboard(clipboard_.get());
        platform::setMousePointer(mousePointer_.get());
        platform::setScreen(screen_.get());
        platform::setProcesses(processes_.get());
        platform::installPlatformServices();
    }

    void OnTestEnd(const ::testing::TestInfo&) override
    {
        while (!platform::openForms().empty())
            delete platform::openForms().front()->widget(); // its child windows go with it
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        platform::setDialogs(nullptr);
        platform::setProgramEnd(nullptr);
        platform::setSound(nullptr);
        platform::setHelp(nullptr);
        platform::setShell(nullptr);
        platform::setClipboard(nullptr);
        platform::setMousePointer(nullptr);
        platform::setScreen(nullptr);
        platform::setProcesses(nullptr);
        dialogs_.reset();
        programEnd_.reset();
        sound_.reset();
        help_.reset();
        shell_.reset();
        clipboard_.reset();
        mousePointer_.reset();
        screen_.reset();
        processes_.reset();
    }

private:
    std::unique_ptr<FakeDialogs> dialogs_;
    std::unique_ptr<FakeProgramEnd> programEnd_;
    std::unique_ptr<FakeSound> sound_;
    std::unique_ptr<FakeHelp> help_;
    std::unique_ptr<FakeShell> shell_;
    std::unique_ptr<FakeClipboard> clipboard_;
    std::unique_ptr<FakeMousePointer> mousePointer_;
    std::unique_ptr<FakeScreen> screen_;
    std::unique_ptr<FakeProcesses> processes_;
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
