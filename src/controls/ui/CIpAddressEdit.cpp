#include "CIpAddressEdit.h"

#include "base/Ipv4Address.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace {
constexpr int kFieldCount = 4;
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
    const QRegularExpression octet(QStringLiteral("25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9]?[0-9]"));
    for (int i = 0; i < kFieldCount; ++i) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("octet%1").arg(i + 1));
        field->setFrame(false);
        field->setAlignment(Qt::AlignCenter);
        field->setMaxLength(3);
        field->setValidator(new QRegularExpressionValidator(octet, field));
        field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QString(4, u'0')));
        field->installEventFilter(this);
        connect(field, &QLineEdit::textEdited, this, [this, i](const QString& text) {
            if (text.size() == 3 && i + 1 < kFieldCount)
                FocusField(i + 1, true);
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
    for (QLineEdit* field : fields)
        field->clear();
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
    for (QLineEdit* field : fields)
        parts << QString::number(field->text().toUInt());
    return parts.join(u'.');
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
    if (event->type() != QEvent::KeyPress)
        return QFrame::eventFilter(watched, event);
    int index = -1;
    for (int i = 0; i < kFieldCount; ++i)
        if (fields[i] == watched)
            index = i;
    if (index < 0)
        return QFrame::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    QLineEdit* field = fields[index];
    if ((key->text() == QStringLiteral(".") || key->key() == Qt::Key_Space)) {
        if (!field->text().isEmpty() && index + 1 < kFieldCount)
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
