// Runs the GUI tests inside one QApplication with the real components.
#include "platform/widgets/EngineEnvironment.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ink::prepareWebEngineEnvironment();
    QApplication app(argc, argv);
    ink::chooseSceneGraphBackend();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
