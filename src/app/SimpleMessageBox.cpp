#include "app/SimpleMessageBox.h"

#include <cstdio>

namespace {

std::optional<QMessageBox::StandardButton>& NextAnswer() {
    static std::optional<QMessageBox::StandardButton> answer;
    return answer;
}

std::optional<TSimpleMessageBox::Shown>& Last() {
    static std::optional<TSimpleMessageBox::Shown> shown;
    return shown;
}

QMessageBox::StandardButton DefaultAnswer(QMessageBox::StandardButtons buttons,
                                          QMessageBox::StandardButton defaultButton) {
    if (defaultButton != QMessageBox::NoButton)
        return defaultButton;
    // The first button in the usual order of the box.
    for (QMessageBox::StandardButton button :
         {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::Retry, QMessageBox::Ignore, QMessageBox::No,
          QMessageBox::Abort, QMessageBox::Cancel, QMessageBox::Close})
        if (buttons.testFlag(button))
            return button;
    return QMessageBox::NoButton;
}

} // namespace

QString MessageIconName(QMessageBox::Icon icon) {
    switch (icon) {
    case QMessageBox::Information:
        return QStringLiteral("information");
    case QMessageBox::Warning:
        return QStringLiteral("warning");
    case QMessageBox::Critical:
        return QStringLiteral("error");
    case QMessageBox::Question:
        return QStringLiteral("question");
    case QMessageBox::NoIcon:
        break;
    }
    return QStringLiteral("none");
}

QMessageBox::StandardButton TSimpleMessageBox::Show(QWidget* parent, const QString& caption, const QString& text,
                                                    QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                                    QMessageBox::StandardButton defaultButton) {
    Last() = Shown{caption, text, icon, buttons};
    if (const auto answer = NextAnswer()) {
        NextAnswer().reset();
        return *answer;
    }
    if (!qEnvironmentVariableIsEmpty("HORALUX_TEST_AUTO_ANSWER")) {
        const QByteArray line = (QStringLiteral("HORALUX_TEST message box: ") + caption + QStringLiteral(" | ") + text +
                                 QStringLiteral(" | ") + MessageIconName(icon) + u'\n')
                                    .toUtf8();
        std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
        std::fflush(stderr);
        return DefaultAnswer(buttons, defaultButton);
    }
    QMessageBox box(icon, caption, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void TSimpleMessageBox::SetNextAnswer(QMessageBox::StandardButton answer) {
    NextAnswer() = answer;
}

std::optional<TSimpleMessageBox::Shown> TSimpleMessageBox::LastShown() {
    return Last();
}

void TSimpleMessageBox::ClearLastShown() {
    Last().reset();
}
