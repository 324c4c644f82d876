#include "platform/shell/RecordingShell.h"
#include "shell/forms/TAboutBox.h"
#include "shell/forms/TAnimation.h"
#include "shell/forms/TLinkLabel.h"
#include "shell/forms/TSplashForm.h"
#include "shell/msgbox/TImageButton.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(TAboutBox, LinksOpenTheLabelsOwnTexts) {
    RecordingShell shell;
    TAboutBox about(shell);
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Nirvo"));
    EXPECT_EQ(about.Version->text(), QStringLiteral("Version 1.29"));
    EXPECT_TRUE(about.windowFlags() & Qt::WindowStaysOnTopHint);
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));

    QTest::mouseClick(about.homepageLbl, Qt::LeftButton);
    QTest::mouseClick(about.EmailLbl, Qt::LeftButton);
    about.homepageLbl->setText(QStringLiteral("https://elsewhere.example.org/nirvo"));
    about.EmailLbl->setText(QStringLiteral("help@elsewhere.example.org"));
    QTest::mouseClick(about.homepageLbl, Qt::LeftButton);
    QTest::mouseClick(about.EmailLbl, Qt::LeftButton);
    ASSERT_EQ(shell.opened.size(), 4);
    EXPECT_EQ(shell.opened[0], QUrl(QStringLiteral("https://www.nirvo.example.com/")));
    EXPECT_EQ(shell.opened[1], QUrl(QStringLiteral("mailto:support@nirvo.example.com")));
    EXPECT_EQ(shell.opened[2], QUrl(QStringLiteral("https://elsewhere.example.org/nirvo")));
    EXPECT_EQ(shell.opened[3], QUrl(QStringLiteral("mailto:help@elsewhere.example.org")));

    about.OKButton->click();
    EXPECT_FALSE(about.isVisible());
}

TEST(TSplashForm, PleaseWaitBoxIsTheAnimationAlone) {
    TSplashForm splash;
    splash.SetUpPleaseWait();
    EXPECT_EQ(splash.windowTitle(), QStringLiteral("Please Wait..."));
    EXPECT_EQ(splash.size(), QSize(182, 38));
    EXPECT_FALSE(splash.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(splash.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(splash.SplashImage->isHidden());
    EXPECT_TRUE(splash.LoadAnim->isHidden());
    EXPECT_EQ(splash.RegAnim->geometry(), QRect(0, 0, 182, 38));

    EXPECT_FALSE(splash.RegAnim->isRunning());
    splash.show();
    EXPECT_TRUE(splash.RegAnim->isRunning());
    const int before = splash.RegAnim->frame();
    EXPECT_TRUE(QTest::qWaitFor([&] { return splash.RegAnim->frame() != before; }, 2000));
    splash.close(); // no title-bar buttons: only whoever showed it hides it
    EXPECT_TRUE(splash.isVisible());
    splash.hide();
    EXPECT_FALSE(splash.RegAnim->isRunning());
}

} // namespace
