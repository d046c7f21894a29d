#include "controls/VRNCustomSpinEdit.h"
#include "foundation/Clock.h"

#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSpinBox>

TVRNCustomSpinEdit::TVRNCustomSpinEdit(QWidget* parent) : QAbstractSpinBox(parent) {
    // Held buttons get faster by our own step sizes, not by a faster repeat.
    setAccelerated(false);
    connect(lineEdit(), &QLineEdit::textChanged, this, &TVRNCustomSpinEdit::OnTextChanged);
    RegisterFormatSettingsNotify(this);
}

TVRNCustomSpinEdit::~TVRNCustomSpinEdit() {
    UnregisterFormatSettingsNotify(this);
}

void TVRNCustomSpinEdit::FormatSettingsChanged() {
    if (m_markedInvalid)
        ShowValidity(TextValid());
    else
        ShowValueAgain();
}

int TVRNCustomSpinEdit::HeldIncrement(qint64 heldMSecs) const {
    if (heldMSecs <= 2000)
        return Increment1();
    return heldMSecs <= 5000 ? Increment2() : Increment3();
}

QString TVRNCustomSpinEdit::Text() const {
    return lineEdit()->text();
}

void TVRNCustomSpinEdit::Step(int) {}

void TVRNCustomSpinEdit::stepBy(int steps) {
    if (isReadOnly() || steps == 0)
        return;
    if (m_buttonHeld) {
        // The held time is read through the program's clock, so that tests can hold a button
        // for seconds without waiting.
        m_currentStep = HeldIncrement(HeldMSecs());
        Step(steps > 0 ? m_currentStep : -m_currentStep);
        return;
    }
    Step(steps * m_keyStep);
    selectAll();
}

QAbstractSpinBox::StepEnabled TVRNCustomSpinEdit::stepEnabled() const {
    return isReadOnly() ? StepNone : (StepUpEnabled | StepDownEnabled);
}

QValidator::State TVRNCustomSpinEdit::validate(QString&, int&) const {
    // Every text may be typed; an invalid one is shown bold and red instead of being refused.
    return QValidator::Intermediate;
}

void TVRNCustomSpinEdit::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (ctrl) {
            event->ignore();
            return;
        }
        event->accept();
        if (!isReadOnly()) {
            Step(event->key() == Qt::Key_Up ? m_keyStep : -m_keyStep);
            selectAll();
        }
        return;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        event->accept();
        if (!isReadOnly()) {
            Step(event->key() == Qt::Key_PageUp ? Increment3() : -Increment3());
            selectAll();
        }
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (!ctrl && text.size() == 1 && text.at(0).isPrint() && !AcceptsCharacter(text.at(0))) {
        event->accept();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void TVRNCustomSpinEdit::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !isReadOnly() && !m_buttonHeld) {
        QStyleOptionSpinBox option;
        initStyleOption(&option);
        option.subControls = QStyle::SC_All;
        const QStyle::SubControl control =
            style()->hitTestComplexControl(QStyle::CC_SpinBox, &option, event->position().toPoint(), this);
        if (control == QStyle::SC_SpinBoxUp || control == QStyle::SC_SpinBoxDown) {
            setFocus(Qt::MouseFocusReason);
            lineEdit()->deselect();
            m_pressedAt = Clock::Instance().CurrentDateTime();
            m_buttonHeld = true;
        }
    }
    // Steps once and starts the repeat, which calls stepBy again.
    QAbstractSpinBox::mousePressEvent(event);
}

void TVRNCustomSpinEdit::mouseReleaseEvent(QMouseEvent* event) {
    QAbstractSpinBox::mouseReleaseEvent(event);
    if (m_buttonHeld) {
        m_buttonHeld = false;
        m_currentStep = 1;
        selectAll();
    }
}

void TVRNCustomSpinEdit::changeEvent(QEvent* event) {
    QAbstractSpinBox::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        emit FontChanged();
}

void TVRNCustomSpinEdit::TextEdited() {
    ShowValidity(TextValid());
}

void TVRNCustomSpinEdit::SetOwnText(const QString& text) {
    ++m_settingText;
    lineEdit()->setText(text);
    --m_settingText;
    ShowValidity(true);
}

void TVRNCustomSpinEdit::SetTextAsTyped(const QString& text) {
    lineEdit()->setText(text);
}

void TVRNCustomSpinEdit::ShowValidity(bool valid) {
    if (valid == !m_markedInvalid)
        return;
    m_markedInvalid = !valid;
    if (valid) {
        // Empty font and palette: the line edit follows the edit's own font and colours again.
        lineEdit()->setFont(QFont());
        lineEdit()->setPalette(QPalette());
        return;
    }
    QFont bold;
    bold.setBold(true);
    lineEdit()->setFont(bold);
    QPalette red;
    red.setColor(QPalette::Text, Qt::red);
    lineEdit()->setPalette(red);
}

QSize TVRNCustomSpinEdit::sizeHint() const {
    ensurePolished();
    // Measured in bold, so that an invalid text does not scroll.
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const QSize text(metrics.horizontalAdvance(WidestText() + QLatin1Char(' ')) + 2, lineEdit()->sizeHint().height());
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, text, this);
}

QSize TVRNCustomSpinEdit::minimumSizeHint() const {
    return sizeHint();
}

void TVRNCustomSpinEdit::OnTextChanged() {
    if (m_settingText > 0)
        return;
    TextEdited();
    emit Changed();
}

qint64 TVRNCustomSpinEdit::HeldMSecs() const {
    return m_pressedAt.isValid() ? m_pressedAt.msecsTo(Clock::Instance().CurrentDateTime()) : 0;
}
