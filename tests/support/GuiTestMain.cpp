// Entry of the window test programs: the program's own application class on
// the offscreen platform, so that no test needs a display and exceptions
// leaving handlers reach the (recorded) error box as in the program.
#include "platform/Application.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    vantrel::Application app(argc, argv);
    // No test may block on a real modal box: unless a test scripts its own
    // answers, messages are only recorded and file dialogs are cancelled.
    vantrel::MessageRecorder messages;
    vantrel::FileDialogScript dialogs;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
