// Entry of the window test programs: the program's own application class on
// the offscreen platform, so that no test needs a display and exceptions
// leaving handlers reach the (recorded) error box as in the program.
#include "platform/Application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    vantrel::Application app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
