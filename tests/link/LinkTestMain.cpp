// The link waits by processing events and QSerialPort needs an event
// dispatcher: every link test runs inside a QCoreApplication.
#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
