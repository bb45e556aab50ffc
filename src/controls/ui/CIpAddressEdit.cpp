#include "CIpAddressEdit.h"

#include "base/Ipv4Address.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <QValidator>

namespace {
constexpr int kFieldCount = 4;
constexpr int kPartDigits = 3;
constexpr int kDottedLength = 15; // room for a pasted "255.255.255.255"

// Drops the leading zeros of a part: the box holds numbers, so a typed or pasted 010
// is ten, never octal eight.
QString Decimal(const QString& part)
{
    int zeros = 0;
    while (zeros + 1 < part.size() && part[zeros] == u'0')
        ++zeros;
    return part.mid(zeros);
}

// One field's text: a part of an address (0 to 255), or, for a paste or a drop, a dotted
// text whose parts fit into this field and the ones after it (spread at once).
class PartValidator : public QValidator {
public:
    PartValidator(int fieldsLeft, QObject* parent) : QValidator(parent), fieldsLeft(fieldsLeft) {}

    State validate(QString& input, int& pos) const override
    {
        if (input.isEmpty())
            return Intermediate;
        int value = 0;
        if (!input.contains(u'.')) {
            const QString part = Decimal(input);
            if (!ParseIpv4Part(part, value))
                return Invalid;
            pos = std::max(0, pos - static_cast<int>(input.size() - part.size()));
            input = part;
            return Acceptable;
        }
        QStringList parts = input.trimmed().split(u'.');
        if (parts.size() > fieldsLeft)
            return Invalid;
        for (QString& part : parts) {
            part = Decimal(part);
            if (!part.isEmpty() && !ParseIpv4Part(part, value))
                return Invalid;
        }
        input = parts.join(u'.');
        pos = static_cast<int>(input.size());
        return Intermediate;
    }

private:
    int fieldsLeft;
};
}

CIpAddressEdit::CIpAddressEdit(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    // One line high wherever a layout puts it, like the line edits beside it.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(0);
    for (int i = 0; i < kFieldCount; ++i) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("octet%1").arg(i + 1));
        field->setFrame(false);
        field->setAlignment(Qt::AlignCenter);
        field->setMaxLength(kDottedLength);
        field->setValidator(new PartValidator(kFieldCount - i, field));
        field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QString(4, u'0')));
        field->installEventFilter(this);
        connect(field, &QLineEdit::textEdited, this, [this, i](const QString& text) {
            if (text.contains(u'.')) {
                Spread(i, text);
            } else if (text.size() == kPartDigits && i + 1 < kFieldCount) {
                FocusField(i + 1, true);
                movedTo = i + 1;
            }
        });
        fields[i] = field;
        layout->addWidget(field, 1);
        if (i + 1 < kFieldCount) {
            auto* dot = new QLabel(QStringLiteral("."), this);
            dot->setAlignment(Qt::AlignCenter);
            layout->addWidget(dot);
        }
    }
    setFocusProxy(fields[0]);
}

quint32 CIpAddressEdit::Address() const
{
    quint32 a = 0;
    for (QLineEdit* field : fields)
        a = (a << 8) | (field->text().toUInt() & 0xFF);
    return a;
}

void CIpAddressEdit::SetAddress(quint32 address)
{
    for (int i = 0; i < kFieldCount; ++i)
        fields[i]->setText(QString::number((address >> (8 * (kFieldCount - 1 - i))) & 0xFF));
}

void CIpAddressEdit::SetAddressText(const QString& text)
{
    quint32 address = 0;
    if (ParseIpv4Address(text, address)) {
        SetAddress(address);
        return;
    }
    const QStringList parts = text.trimmed().split(u'.');
    for (int i = 0; i < kFieldCount; ++i) {
        int value = 0;
        const QString part = parts.size() <= kFieldCount ? parts.value(i) : QString();
        fields[i]->setText(ParseIpv4Part(part, value) ? part : QString());
    }
}

void CIpAddressEdit::Spread(int index, const QString& text)
{
    const QStringList parts = text.split(u'.');
    int last = index;
    for (int k = 0; k < parts.size() && index + k < kFieldCount; ++k) {
        fields[index + k]->setText(parts[k]);
        last = index + k;
    }
    movedTo = -1;
    FocusField(last, false);
}

bool CIpAddressEdit::GetAddress(quint32& address) const
{
    for (QLineEdit* field : fields)
        if (field->text().isEmpty())
            return false;
    const quint32 typed = Address();
    if (!IsValidIpv4Address(FormatIpv4Address(typed)))
        return false;
    address = typed;
    return true;
}

void CIpAddressEdit::SelectAll()
{
    FocusField(0, true);
}

QString CIpAddressEdit::Text() const
{
    QStringList parts;
    bool any = false;
    for (QLineEdit* field : fields) {
        parts << field->text();
        any = any || !field->text().isEmpty();
    }
    return any ? parts.join(u'.') : QString();
}

void CIpAddressEdit::FocusField(int index, bool atStart)
{
    QLineEdit* field = fields[index];
    field->setFocus();
    if (atStart)
        field->selectAll();
    else
        field->end(false);
}

bool CIpAddressEdit::eventFilter(QObject* watched, QEvent* event)
{
    int index = -1;
    for (int i = 0; i < kFieldCount; ++i)
        if (fields[i] == watched)
            index = i;
    if (index < 0)
        return QFrame::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress)
        movedTo = -1; // the user chose a field: a dot there is a dot again
    if (event->type() != QEvent::KeyPress)
        return QFrame::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    QLineEdit* field = fields[index];
    const bool justMoved = movedTo == index;
    movedTo = -1;
    if ((key->text() == QStringLiteral(".") || key->key() == Qt::Key_Space)) {
        // The dot that ends a three-digit part arrives after the move it would make.
        if (!justMoved && !field->text().isEmpty() && index + 1 < kFieldCount)
            FocusField(index + 1, true);
        return true;
    }
    if (key->key() == Qt::Key_Backspace && field->cursorPosition() == 0 && !field->hasSelectedText() && index > 0) {
        FocusField(index - 1, false);
        return true;
    }
    if (key->key() == Qt::Key_Right && field->cursorPosition() == field->text().size() && index + 1 < kFieldCount) {
        FocusField(index + 1, false);
        fields[index + 1]->setCursorPosition(0);
        return true;
    }
    if (key->key() == Qt::Key_Left && field->cursorPosition() == 0 && index > 0) {
        FocusField(index - 1, false);
        return true;
    }
    return QFrame::eventFilter(watched, event);
}
