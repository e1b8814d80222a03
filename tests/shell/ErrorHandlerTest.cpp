// The application's general error handler, with the real application object.

#include <FakeDialogs.h>
#include <QTimer>
#include <QtPrinters.h>
#include <gtest/gtest.h>
#include <model/Errors.h>
#include <shell/Application.h>

namespace {

class Throwing : public QObject
{
public:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User)
            throw TDateTimeEncodingError(QStringLiteral("Invalid date: day 31, month 4"));
        return QObject::event(e);
    }
};

TEST(ErrorHandler, anExceptionFromACommandIsShownAndTheApplicationGoesOn)
{
    FakeDialogs dialogs;
    auto *app = static_cast<TApplication *>(QCoreApplication::instance());
    app->setDialogs(&dialogs);

    Throwing target;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&target, &event));
    EXPECT_EQ(dialogs.errors, QStringList{"Invalid date: day 31, month 4"});

    // Thrown from a timer of the event loop, then the loop still runs.
    bool later = false;
    QTimer::singleShot(0, [] { throw std::runtime_error("disk full"); });
    QTimer::singleShot(5, [&later] { later = true; });
    QTimer::singleShot(50, app, &QCoreApplication::quit);
    app->exec();
    EXPECT_TRUE(later);
    EXPECT_EQ(dialogs.errors.size(), 2);
    EXPECT_EQ(dialogs.errors.value(1), "disk full");
    app->setDialogs(nullptr);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
