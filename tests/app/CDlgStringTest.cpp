#include "app/CDlgString.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

#include <gtest/gtest.h>

namespace {

void Type(CDlgString& dlg, const char* text) {
    QTest::keyClicks(dlg.Edit(), text);
}

void Key(CDlgString& dlg, Qt::Key key, Qt::KeyboardModifiers mods = {}) {
    QTest::keyClick(dlg.Edit(), key, mods);
}

QPushButton* Button(CDlgString& dlg, const QString& text) {
    for (QPushButton* b : dlg.findChildren<QPushButton*>()) {
        if (b->text() == text) {
            return b;
        }
    }
    return nullptr;
}

TEST(CDlgStringTest, KeysAndButtonsCloseWithTheRightText) {
    const struct {
        const char* name = "";
        QString before;
        std::function<void(CDlgString&)> act;
        QDialog::DialogCode result = QDialog::Rejected;
        QString text;
    } cases[] = {
        {"enter accepts", "old",
         [](CDlgString& d) {
             d.Edit()->clear();
             Type(d, "ab");
             Key(d, Qt::Key_Return);
         },
         QDialog::Accepted, "ab"},
        {"keypad enter accepts", "",
         [](CDlgString& d) {
             Type(d, "ab");
             Key(d, Qt::Key_Enter, Qt::KeypadModifier);
         },
         QDialog::Accepted, "ab"},
        {"ctrl enter breaks the line", "",
         [](CDlgString& d) {
             Type(d, "a");
             Key(d, Qt::Key_Return, Qt::ControlModifier);
             EXPECT_TRUE(d.isVisible());
             Type(d, "b");
             Key(d, Qt::Key_Return);
         },
         QDialog::Accepted, "a\nb"},
        {"escape keeps the old text", "old",
         [](CDlgString& d) {
             Type(d, "zz");
             Key(d, Qt::Key_Escape);
         },
         QDialog::Rejected, "old"},
        {"cancel keeps the old text", "old",
         [](CDlgString& d) {
             Type(d, "zz");
             QTest::mouseClick(Button(d, "Cancel"), Qt::LeftButton);
         },
         QDialog::Rejected, "old"},
        {"ok on an empty box", "old",
         [](CDlgString& d) {
             d.Edit()->clear();
             QTest::mouseClick(Button(d, "OK"), Qt::LeftButton);
         },
         QDialog::Accepted, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CDlgString dlg;
        dlg.SetText(c.before);
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        ASSERT_NE(Button(dlg, "OK"), nullptr);
        ASSERT_NE(Button(dlg, "Cancel"), nullptr);
        dlg.Edit()->setFocus();
        dlg.Edit()->moveCursor(QTextCursor::End);
        dlg.setResult(-1); // so that a dialog left open cannot pass as rejected
        c.act(dlg);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.result(), c.result);
        EXPECT_EQ(dlg.GetText(), c.text);
    }
}

TEST(CDlgStringTest, SetTextShowsEveryLine) {
    CDlgString dlg;
    dlg.SetText("x\ny");
    EXPECT_EQ(dlg.Edit()->document()->blockCount(), 2);
    EXPECT_EQ(dlg.Edit()->toPlainText(), "x\ny");
    EXPECT_EQ(dlg.GetText(), "x\ny");
}

} // namespace
