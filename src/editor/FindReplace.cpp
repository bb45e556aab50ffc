#include "FindReplace.h"

#include "RowEdit.h"

#include "controls/XScrollPreviewFrame.h"
#include "controls/XVideoComboBox.h"
#include "model/ElementTypes.h"
#include "model/FieldTable.h"
#include "model/ProjectData.h"
#include "model/TActionCommand.h"
#include "model/XPage.h"

#include <QHash>

#include <memory>

namespace {

const QString kNone = QStringLiteral("NONE");

QStringList StreamAddresses(const XControl& c)
{
    QStringList addresses;
    if (const FieldTable* table = c.Fields())
        for (const FieldRow& row : table->Rows())
            if (row.Has(FieldFlag::StreamAddress) && row.getText)
                for (const QString& a : row.getText(c).split(u';', Qt::SkipEmptyParts))
                    addresses << a.trimmed();
    // Channel and device lists keep their addresses beyond what the rows describe.
    if (const auto* box = dynamic_cast<const XVideoComboBox*>(&c))
        for (const VideoChannel& ch : box->channels)
            addresses << ch.previewAddress << ch.hdAddress << ch.uhdAddress;
    if (const auto* frame = dynamic_cast<const XScrollPreviewFrame*>(&c))
        for (const DeviceInfoItem* d : frame->Devices())
            addresses << d->previewAddress << d->hdAddress << d->uhdAddress;
    addresses.removeAll(QString());
    return addresses;
}

// The values of a control the query looks at; empty when the control has no such field.
QStringList Values(const XControl& c, FindField field)
{
    switch (field) {
    case FindField::Name: return {c.name};
    case FindField::Text:
        if (const PropertyRow* row = RowEdit::Find(c, PropertyId::kText, PropertyRowKind::Text))
            return {row->getText(c)};
        return {};
    case FindField::SendCode:
        if (const PropertyRow* row = RowEdit::Find(c, PropertyId::kSendCode, PropertyRowKind::Integer)) {
            const qint64 code = row->getInt(c);
            return code != 0 ? QStringList{QString::number(code)} : QStringList();
        }
        return {};
    case FindField::Image: return c.ImageNames();
    case FindField::StreamAddress: return StreamAddresses(c);
    }
    return {};
}

class Matcher {
public:
    explicit Matcher(const FindQuery& query) : query(query)
    {
        if (query.field != FindField::SendCode || query.text.trimmed().isEmpty())
            return;
        const QStringList bounds = query.text.split(u'-');
        bool okLow = false;
        bool okHigh = bounds.size() == 1;
        low = bounds.value(0).trimmed().toInt(&okLow);
        high = bounds.size() == 2 ? bounds[1].trimmed().toInt(&okHigh) : low;
        valid = okLow && okHigh && bounds.size() <= 2;
    }

    bool Matches(const QString& value) const
    {
        if (query.field == FindField::SendCode) {
            const int code = value.toInt();
            return query.text.trimmed().isEmpty() || (valid && code >= low && code <= high);
        }
        if (query.text.isEmpty())
            return !value.isEmpty();
        return value.contains(query.text, query.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive);
    }

private:
    const FindQuery& query;
    bool valid = false;
    int low = 0;
    int high = 0;
};

QList<XPage*> PagesOf(const ProjectData& project, const FindQuery& query)
{
    QList<XPage*> pages;
    for (XPage* page : project.pages)
        if (!query.page || page == query.page)
            pages << page;
    return pages;
}

QString Label(const XPage& page, const XControl& c)
{
    return page.name + QStringLiteral(" / ") + c.name;
}

// Whether the control may take the new name or text; the edit itself comes after.
bool Accepts(const XPage& page, const XControl& c, FindField field, const QString& value)
{
    if (field == FindField::Name) {
        const XControl* holder = page.FindControl(value);
        return !value.isEmpty() && value != kNone && (!holder || holder == &c);
    }
    const PropertyRow* row = RowEdit::Find(c, PropertyId::kText, PropertyRowKind::Text);
    return row && (!row->isEnabled || row->isEnabled(c));
}

} // namespace

namespace FindReplace {

std::vector<FindHit> Find(const ProjectData& project, const FindQuery& query)
{
    const Matcher matcher(query);
    std::vector<FindHit> hits;
    for (const XPage* page : PagesOf(project, query)) {
        for (const XControl* c : page->controls) {
            QStringList matched;
            for (const QString& v : Values(*c, query.field))
                if (matcher.Matches(v) && !matched.contains(v))
                    matched << v;
            if (!matched.isEmpty())
                hits.push_back({page->name, c->name, c->GetType(), matched.join(QStringLiteral("; "))});
        }
    }
    return hits;
}

bool CanReplace(FindField field)
{
    return field == FindField::Name || field == FindField::Text;
}

ReplaceOutcome Replace(ProjectData& project, const FindQuery& query, const QString& replacement)
{
    ReplaceOutcome outcome;
    if (!CanReplace(query.field) || query.text.isEmpty())
        return outcome;
    const Qt::CaseSensitivity cs = query.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const quint32 id = query.field == FindField::Name ? PropertyId::kName : PropertyId::kText;
    for (XPage* page : PagesOf(project, query)) {
        auto step = std::make_unique<TActionCommands>();
        // A rename may give a control the name of one later on the page: walk a copy.
        for (XControl* c : QList<XControl*>(page->controls)) {
            const QStringList values = Values(*c, query.field);
            if (values.isEmpty() || !values.front().contains(query.text, cs))
                continue;
            const QString changed = QString(values.front()).replace(query.text, replacement, cs);
            if (changed == values.front())
                continue;
            if (Accepts(*page, *c, query.field, changed) && RowEdit::Apply(*c, PropertyKind::Text, id, changed, *step))
                ++outcome.changed;
            else
                outcome.refused << Label(*page, *c);
        }
        if (!step->IsEmpty()) {
            page->PushCommands(step.release());
            ++outcome.pages;
        }
    }
    return outcome;
}

int RenumberSelected(XPage& page, int start)
{
    auto step = std::make_unique<TActionCommands>();
    int count = 0;
    int code = start;
    for (XControl* c : page.Selected()) {
        const PropertyRow* row = RowEdit::Find(*c, PropertyId::kSendCode, PropertyRowKind::Integer);
        if (!row)
            continue;
        if (code > row->high || code < 1)
            code = 1;
        RowEdit::Apply(*c, PropertyKind::Integer, PropertyId::kSendCode, code, *step);
        ++count;
        ++code;
    }
    if (!step->IsEmpty())
        page.PushCommands(step.release());
    page.InvalidatePageWindow();
    return count;
}

}
