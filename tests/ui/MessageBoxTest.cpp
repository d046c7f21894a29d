#include "ui/MessageBox.h"

#include "foundation/VRNException.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using namespace MessageBoxButton;

struct SeamReset {
    SeamReset() {
        TMessageBoxSeam::ClearAnswers();
        TMessageBoxSeam::ClearHistory();
    }
    ~SeamReset() {
        TMessageBoxSeam::SetAutoAnswer(false);
        TMessageBoxSeam::ClearAnswers();
        TMessageBoxSeam::ClearHistory();
        SetGenericWindowHooks({});
    }
};

std::vector<int> Results(unsigned buttons) {
    std::vector<int> results;
    for (const TMessageBoxButtonDef& kind : MessageBoxButtons(buttons))
        results.push_back(kind.result);
    return results;
}

TEST(MessageBoxButtons, AppearInTheFixedOrderWhateverTheBits) {
    EXPECT_EQ(Results(Cancel | No | Yes), (std::vector<int>{6, 7, 2}));
    EXPECT_EQ(Results(Details | Cancel | CreateNew | Retry), (std::vector<int>{4, 65537, 2, 0}));
    EXPECT_EQ(Results(Retry | SaveLater | Details), (std::vector<int>{4, 65538, 0}));
    EXPECT_EQ(Results(0), (std::vector<int>{1})) << "an empty set gives a single OK";
    EXPECT_EQ(Results(FocusSecond), (std::vector<int>{1})) << "focus bits create no button";
}

TEST(MessageBoxButtons, UnknownBitRaises) {
    try {
        MessageBoxButtons(OK | (1u << 11));
        FAIL();
    } catch (const EVRNException& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("TfrmMessageBox.SetButtons: Invalid button"));
    }
    EXPECT_THROW(ShowMessageBox(nullptr, "c", "t", QString(), 0, 1u << 15), EVRNException);
}

TEST(MessageBoxButtons, EscapeAndFocus) {
    struct Row {
        unsigned buttons;
        int escape;
        int focus;
    };
    const Row rows[] = {
        {Yes | No | Cancel, 2, 0},
        {Retry | Ignore | Details, 5, 0},
        {Yes | No, 7, 0},
        {0, 1, 0},
        {OK | Details, 0, 0}, // no button answers Escape
        {OK, 0, 0},
        {Yes | No | Cancel | FocusSecond, 2, 1},
        {Yes | No | Cancel | FocusThird, 2, 2},
        {OK | FocusSecond, 0, 0},
        {OK | Details | FocusThird, 0, 0},
        {Retry | CreateNew | Details, 0, 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(MessageBoxEscapeResult(row.buttons), row.escape) << row.buttons;
        EXPECT_EQ(MessageBoxFocusIndex(row.buttons, static_cast<int>(MessageBoxButtons(row.buttons).size())), row.focus)
            << row.buttons;
    }
}

TEST(MessageBoxText, BackslashNBecomesALineBreak) {
    EXPECT_EQ(ExpandMessageLineBreaks(QStringLiteral("a\\nb\\\\nc")), QStringLiteral("a\nb\\\nc"));
}

TEST(MessageBoxText, WrapsAtBlanksAndBreaksOverlongWords) {
    const auto width = [](const QString& s) { return static_cast<int>(s.size()); };
    EXPECT_EQ(WrapMessageText(QStringLiteral("aaa bbb ccc"), 7, width), QStringLiteral("aaa bbb\nccc"));
    EXPECT_EQ(WrapMessageText(QStringLiteral("abcdefghij"), 4, width), QStringLiteral("abcd\nefgh\nij"));
    EXPECT_EQ(WrapMessageText(QStringLiteral("x\nyy zz"), 4, width), QStringLiteral("x\nyy\nzz"));
    // U+1F600 is a surrogate pair; a break never falls between its halves.
    const QString pair = QString::fromUcs4(U"\U0001F600");
    const QString wrapped = WrapMessageText(QStringLiteral("ab") + pair + QStringLiteral("cd"), 3, width);
    for (const QString& line : wrapped.split(u'\n')) {
        ASSERT_FALSE(line.isEmpty());
        EXPECT_FALSE(line.back().isHighSurrogate()) << wrapped.toStdString();
        EXPECT_FALSE(line.front().isLowSurrogate()) << wrapped.toStdString();
    }
    EXPECT_EQ(QString(wrapped).remove(u'\n'), QStringLiteral("ab") + pair + QStringLiteral("cd"));
}

TEST(MessageBoxWindow, ButtonsAnswerAndDetailsToggle) {
    TfrmMessageBox box;
    box.SetKind(MessageBoxKind::Error);
    box.SetButtons(Retry | CreateNew | Cancel | Details);
    box.SetCaption(QStringLiteral("Varnelo Horalux"));
    box.SetText(QStringLiteral("line one\\nline two"));
    box.SetDetails(QStringLiteral("File: \"x\"\\nEVRNException: broken"));
    box.Prepare();
    box.show();
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Varnelo Horalux"));
    EXPECT_EQ(box.ShownText(), QStringLiteral("line one\nline two"));
    EXPECT_EQ(box.DetailsText(), QStringLiteral("File: \"x\"\nEVRNException: broken"));
    EXPECT_EQ(box.FocusButton(), box.Button(Retry));
    EXPECT_EQ(box.Button(Retry)->text(), QStringLiteral("&Retry"));
    EXPECT_EQ(box.Button(Yes), nullptr);

    const int closedHeight = box.height();
    EXPECT_FALSE(box.DetailsVisible());
    box.Button(Details)->click();
    EXPECT_TRUE(box.DetailsVisible());
    EXPECT_GT(box.height(), closedHeight);
    box.Button(Details)->click();
    EXPECT_FALSE(box.DetailsVisible());
    EXPECT_EQ(box.height(), closedHeight);
    EXPECT_TRUE(box.isVisible()) << "Details does not close the box";

    box.Button(CreateNew)->click();
    EXPECT_EQ(box.Result(), MessageBoxResult::CreateNew);
    EXPECT_FALSE(box.isVisible());
}

TEST(MessageBoxWindow, EscapeAnswersTheFirstOfCancelNoIgnore) {
    for (auto [buttons, expected] : {std::pair{Yes | No | Cancel, 2}, {Retry | Ignore | Details, 5}, {0u, 1}}) {
        TfrmMessageBox box;
        box.SetButtons(buttons);
        box.SetText(QStringLiteral("?"));
        box.Prepare();
        box.show();
        QTest::keyClick(&box, Qt::Key_Escape);
        EXPECT_EQ(box.Result(), expected) << buttons;
    }
}

TEST(MessageBoxWindow, EscapeDoesNothingWithoutAButtonForIt) {
    // The short OK box and the error box (OK and Details) want their OK pressed.
    for (const unsigned buttons : {OK, OK | Details, Retry | SaveLater}) {
        TfrmMessageBox box;
        box.SetButtons(buttons);
        box.SetText(QStringLiteral("!"));
        box.Prepare();
        box.show();
        QTest::keyClick(&box, Qt::Key_Escape);
        EXPECT_TRUE(box.isVisible()) << buttons;
        box.Button(buttons & OK ? OK : Retry)->click();
        EXPECT_EQ(box.Result(), buttons & OK ? MessageBoxResult::OK : MessageBoxResult::Retry) << buttons;
        EXPECT_FALSE(box.isVisible());
    }
}

TEST(MessageBoxWindow, LongTextStaysWithinTheWidthLimit) {
    TfrmMessageBox box;
    box.SetKind(MessageBoxKind::Warning);
    box.SetText(QString(400, u'W'));
    box.Prepare();
    EXPECT_LE(box.width(), 700);
    EXPECT_GT(box.ShownText().count(u'\n'), 2);
}

TEST(ShowMessageBox, SeamAnswersInOrderAndRecords) {
    SeamReset reset;
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Retry);
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::CreateNew);
    QWidget owner;
    owner.setWindowTitle(QStringLiteral("Owner Title"));
    EXPECT_EQ(ShowMessageBox(&owner, QString(), "first", "d1", MessageBoxKind::Error, Retry | CreateNew | Cancel), 4);
    EXPECT_EQ(ShowMessageBox(nullptr, "Cap", "second", MessageBoxKind::Question), 65537);
    ASSERT_EQ(TMessageBoxSeam::History().size(), 2u);
    EXPECT_EQ(TMessageBoxSeam::History()[0].caption, QStringLiteral("Owner Title"));
    EXPECT_EQ(TMessageBoxSeam::History()[0].details, QStringLiteral("d1"));
    EXPECT_EQ(TMessageBoxSeam::History()[1].buttons, OK);
    EXPECT_FALSE(TMessageBoxSeam::HasQueuedAnswers());
}

TEST(ShowMessageBox, AutoAnswerClosesEveryBox) {
    SeamReset reset;
    TMessageBoxSeam::SetAutoAnswer(true);
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Retry); // queued answers come first
    EXPECT_EQ(ShowMessageBox(nullptr, "c", "t", QString(), 0, Retry | Cancel), MessageBoxResult::Retry);
    EXPECT_EQ(ShowMessageBox(nullptr, "c", "t", QString(), 0, Retry | Cancel), MessageBoxResult::Cancel);
    EXPECT_EQ(ShowMessageBox(nullptr, "c", "t", QString(), 0, Yes | No), MessageBoxResult::No);
    EXPECT_EQ(ShowMessageBox(nullptr, "c", "t", QString(), 0, 0), MessageBoxResult::OK);
    // Where no button answers Escape, closing the box does: Cancel.
    EXPECT_EQ(ShowMessageBox(nullptr, "c", "t", MessageBoxKind::Error), MessageBoxResult::Cancel);
    EXPECT_EQ(ShowErrorBox(nullptr, "c", "t", EVRNException(QStringLiteral("x"))), MessageBoxResult::Cancel);
    EXPECT_EQ(TMessageBoxSeam::History().size(), 6u);
}

TEST(ShowMessageBox, ShownBoxIsACurrentWindowWhileOpen) {
    SeamReset reset;
    std::vector<QString> events;
    QWidget* added = nullptr;
    SetGenericWindowHooks({[&](QWidget* w) {
                               added = w;
                               events.push_back(QStringLiteral("add"));
                           },
                           [&](QWidget* w) {
                               EXPECT_EQ(w, added);
                               events.push_back(QStringLiteral("remove"));
                           }});
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<TfrmMessageBox*>(added);
        ASSERT_NE(box, nullptr);
        box->Button(Ignore)->click();
    });
    const int answer = ShowMessageBox(nullptr, "c", "text", "details", MessageBoxKind::Error, Retry | Ignore | Details);
    EXPECT_EQ(answer, MessageBoxResult::Ignore);
    EXPECT_EQ(events, (std::vector<QString>{"add", "remove"}));
    ASSERT_TRUE(TMessageBoxSeam::Last().has_value());
    EXPECT_EQ(TMessageBoxSeam::Last()->answer, MessageBoxResult::Ignore);
}

TEST(ShowMessageBox, ClosingTheWindowGivesCancel) {
    SeamReset reset;
    QWidget* shown = nullptr;
    SetGenericWindowHooks({[&](QWidget* w) { shown = w; }, {}});
    QTimer::singleShot(0, [&] { shown->close(); });
    EXPECT_EQ(ShowMessageBox(nullptr, "c", "text", QString(), 0, Yes | No), MessageBoxResult::Cancel);
}

TEST(ShowErrorBox, DetailsAreTheExceptionText) {
    SeamReset reset;
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::OK);
    ShowErrorBox(nullptr, "c", "t", EUserCancel(QStringLiteral("stop")));
    ASSERT_TRUE(TMessageBoxSeam::Last().has_value());
    EXPECT_EQ(TMessageBoxSeam::Last()->details, QStringLiteral("EUserCancel: stop"));
    EXPECT_EQ(TMessageBoxSeam::Last()->buttons, OK | Details);
    EXPECT_EQ(TMessageBoxSeam::Last()->kind, MessageBoxKind::Error);
}

} // namespace
