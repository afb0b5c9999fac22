#include "platform/QtPrompter.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace glimmora {
namespace {

// Asks once and, while the box is up, notes its button captions and presses the one captioned
// `press`.
struct AskResult {
  QStringList captions;
  PromptAnswer answer;
};

AskResult AskAndPress(QtPrompter& prompter, PromptButtons buttons, const QString& press) {
  AskResult result;
  QTimer::singleShot(0, [&result, press] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    for (QAbstractButton* b : box->buttons()) {
      result.captions << b->text();
      if (b->text() == press) b->click();
    }
  });
  PromptRequest r;
  r.text = "?";
  r.buttons = buttons;
  result.answer = prompter.Ask(r);
  return result;
}

TEST(QtPrompterTest, ButtonsSpeakTheProgramsLanguageAndStillAnswer) {
  LanguageTable table;
  QtPrompter prompter;
  prompter.SetLanguage(&table);

  AskResult en = AskAndPress(prompter, PromptButtons::YesNoCancel, QStringLiteral("&No"));
  EXPECT_EQ(en.answer, PromptAnswer::No);
  EXPECT_TRUE(en.captions.contains(QStringLiteral("&Yes")));
  EXPECT_TRUE(en.captions.contains(QStringLiteral("Cancel")));

  // The language is read when the box is shown, so a switch at run time is followed.
  table.CurLang = Language::ChineseGB;
  AskResult gb = AskAndPress(prompter, PromptButtons::YesNoCancel, QStringLiteral("否(&N)"));
  EXPECT_EQ(gb.answer, PromptAnswer::No);
  EXPECT_TRUE(gb.captions.contains(QStringLiteral("是(&Y)")));
  EXPECT_TRUE(gb.captions.contains(QStringLiteral("取消")));

  table.CurLang = Language::ChineseBig5;
  AskResult big5 = AskAndPress(prompter, PromptButtons::AbortRetryIgnore, QStringLiteral("略過(&I)"));
  EXPECT_EQ(big5.answer, PromptAnswer::Ignore);
  EXPECT_TRUE(big5.captions.contains(QStringLiteral("重試(&R)")));
  EXPECT_FALSE(big5.captions.contains(QStringLiteral("Abort")));
}

TEST(QtPrompterTest, EnterAtADeletingQuestionKeepsWhatItWouldDelete) {
  QtPrompter prompter;
  struct Case {
    PromptButtons buttons;
    bool deletes;
    const char* defaultCaption;
    PromptAnswer enter;
  };
  const Case cases[] = {
      {PromptButtons::YesNo, true, "&No", PromptAnswer::No},
      {PromptButtons::OkCancel, true, "Cancel", PromptAnswer::Cancel},
      {PromptButtons::YesNo, false, "&Yes", PromptAnswer::Yes},  // other questions keep their first button
  };
  for (const Case& c : cases) {
    QString shownDefault;
    QTimer::singleShot(0, [&shownDefault] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      if (box->defaultButton()) shownDefault = box->defaultButton()->text();
      QTest::keyClick(box, Qt::Key_Return);
    });
    PromptRequest r;
    r.text = "Delete?";
    r.buttons = c.buttons;
    const PromptAnswer answer = c.deletes ? prompter.AskToDelete(r) : prompter.Ask(r);
    EXPECT_EQ(shownDefault, QString::fromUtf8(c.defaultCaption));
    EXPECT_EQ(answer, c.enter) << c.defaultCaption;
  }
}

}  // namespace
}  // namespace glimmora
