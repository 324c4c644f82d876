#include "shell/msgbox/TMsgForm.h"
#include "shell/msgbox/AppMessageBox.h"
#include "shell/msgbox/MsgBoxGeometry.h"
#include "shell/msgbox/TImageButton.h"
#include "support/MsgBoxAnswerer.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

TEST(TMsgForm, OkAndCancelReturnTheirResults) {
    MsgBoxAnswerer answerer;
    answerer.expect(QStringLiteral("First"), MsgBoxAnswerer::OK);
    answerer.expect(QStringLiteral("Second"), MsgBoxAnswerer::Cancel);
    EXPECT_EQ(ShowAppMessage(QStringLiteral("First"), QStringLiteral("Proceed?\r\nReally?"),
                             mkQuestion, mbOKCancel),
              mrOK);
    EXPECT_EQ(ShowAppMessage(QStringLiteral("Second"), QStringLiteral("Proceed?"), mkQuestion,
                             mbOKCancel),
              mrCancel);
    ASSERT_EQ(answerer.seen().size(), 2);
    EXPECT_EQ(answerer.seen()[0].text, QStringLiteral("Proceed?\r\nReally?"));

    WidgetMessenger messenger;
    answerer.expect(QStringLiteral("Third"), MsgBoxAnswerer::OK);
    EXPECT_EQ(
        messenger.ShowAppMessage(QStringLiteral("Third"), QStringLiteral("Done."), mkNotice, mbOK),
        mrOK);
}

TEST(TMsgForm, BoxIsLaidOutFromItsText) {
    std::unique_ptr<TMsgForm> one(
        CreateAppMessage(QStringLiteral("One"), QStringLiteral("One line"), mkError, mbOK));
    EXPECT_EQ(one->MsgLabel->pos(), QPoint(56, 8));
    const int lineHeight = one->MsgLabel->height();
    ASSERT_LE(8 + lineHeight, 32) << "a single line is expected to end above the picture";
    EXPECT_EQ(one->size(),
              QSize(one->MsgLabel->width() + 102 < 115 ? 115 : one->MsgLabel->width() + 102, 72));
    EXPECT_EQ(one->OKBtn->pos().y(), 72 - 40);
    EXPECT_EQ(one->OKBtn->size(), QSize(46, 40));
    EXPECT_FALSE(one->OKBtn->isHidden());
    EXPECT_TRUE(one->CancelBtn->isHidden());
    EXPECT_FALSE(one->ErrorBmp->isHidden());
    EXPECT_TRUE(one->NoticeBmp->isHidden());
    EXPECT_TRUE(one->QuesBmp->isHidden());
    EXPECT_TRUE(one->NewCallBmp->isHidden());

    // Three lines reach below the picture: the label bottom decides.
    std::unique_ptr<TMsgForm> three(CreateAppMessage(
        QStringLiteral("Three"), QStringLiteral("Line one\r\nLine two\r\nLine three"), mkQuestion,
        mbOKCancel));
    const int bottom = 8 + three->MsgLabel->height();
    ASSERT_GT(bottom, 32);
    EXPECT_EQ(three->height(), bottom + 50);
    EXPECT_FALSE(three->QuesBmp->isHidden());
    const int step = RoundHalfEven(three->width() / 3.0);
    EXPECT_EQ(three->OKBtn->x(), step - 23);
    EXPECT_EQ(three->CancelBtn->x(), 2 * step - 23);
}

TEST(TMsgForm, HasNoTitleBarButtonsAndIgnoresEscapeAndClose) {
    std::unique_ptr<TMsgForm> box(
        CreateAppMessage(QStringLiteral("Stay"), QStringLiteral("Text"), mkNewCall, mbOKCancel));
    const Qt::WindowFlags flags = box->windowFlags();
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowSystemMenuHint);
    EXPECT_EQ(box->palette().color(QPalette::Window), QColor(255, 204, 102));
    EXPECT_EQ(box->MsgLabel->font().family(), QStringLiteral("Verdana"));
    EXPECT_EQ(box->MsgLabel->font().pointSize(), 8);

    box->show();
    box->close();
    box->reject();
    EXPECT_TRUE(box->isVisible());
    box->OKBtn->click();
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(box->result(), mrOK);
}

} // namespace
