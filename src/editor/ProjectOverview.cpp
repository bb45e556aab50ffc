#include "ProjectOverview.h"

#include "model/ElementTypes.h"
#include "model/FieldTable.h"
#include "model/ProjectData.h"
#include "model/XPage.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QSet>

#include <algorithm>

namespace {

const QString kNone = QStringLiteral("NONE");

QString UserLabel(const QString& page, const QString& element)
{
    return page + QStringLiteral(" / ") + element;
}

QString TextOf(const FieldRow* row, const XControl& c)
{
    return row && row->getText ? row->getText(c) : QString();
}

} // namespace

void ProjectOverview::Clear()
{
    pages.clear();
    order.clear();
    codeOrder.clear();
    users.clear();
    usedOrder.clear();
    changed = kAll;
    sendCodes.clear();
    jumps.clear();
    unreachedPages.clear();
    unshownSubPages.clear();
    groups.clear();
    images.clear();
    pagesRead = 0;
}

const ProjectOverview::TableRows& ProjectOverview::RowsOf(const FieldTable* table)
{
    auto it = tableRows.find(table);
    if (it != tableRows.end())
        return it.value();
    TableRows rows;
    if (table) {
        rows.sendCode = table->Find("sendCode");
        rows.kind = table->Find("buttonKind");
        rows.command = table->Find("commandString");
        for (const FieldRow& row : table->Rows()) {
            if (row.getText && row.Has(FieldFlag::Image))
                rows.images.push_back(&row);
            if (!row.getText || !row.InVersion(table->CurrentVersion()))
                continue;
            if (row.refersTo == ReferenceTarget::Page || row.refersTo == ReferenceTarget::SubPage)
                rows.references.push_back(&row);
            else if (row.refersTo == ReferenceTarget::Group)
                rows.group = &row;
        }
        if (rows.sendCode && !rows.sendCode->getInt)
            rows.sendCode = nullptr;
        if (rows.kind && !rows.kind->getInt)
            rows.kind = nullptr;
    }
    return tableRows.insert(table, rows).value();
}

ProjectOverview::PageData ProjectOverview::Read(const XPage& page)
{
    PageData d;
    d.revision = page.revision;
    d.name = page.name;
    d.type = page.GetType();
    QHash<QString, size_t> groupAt;
    for (const QString& g : page.GroupNames()) {
        groupAt.insert(g, d.groups.size());
        d.groups.push_back({page.name, g, {}});
    }
    for (const XControl* c : page.controls) {
        const TableRows& rows = RowsOf(c->Fields());
        QString group = TextOf(rows.group, *c);
        if (group == kNone)
            group.clear();
        if (!group.isEmpty()) {
            const auto g = groupAt.constFind(group);
            if (g != groupAt.constEnd())
                d.groups[g.value()].members << c->name;
        }
        if (rows.sendCode) {
            const int code = static_cast<int>(rows.sendCode->getInt(*c));
            if (code != 0) {
                SendCodeEntry e;
                e.code = code;
                e.page = page.name;
                e.element = c->name;
                e.type = c->GetType();
                e.kind = rows.kind ? static_cast<int>(rows.kind->getInt(*c)) : -1;
                e.group = group;
                e.command = TextOf(rows.command, *c);
                d.codes.push_back(std::move(e));
            }
        }
        for (const FieldRow* row : rows.references) {
            const QString target = row->getText(*c);
            if (target.isEmpty() || target == kNone)
                continue;
            d.jumps.push_back({page.name, c->name, c->GetType(), target, row->refersTo == ReferenceTarget::SubPage, true});
        }
        // As ImageNames gives them, read here without a list per control.
        const size_t firstUse = d.imageUses.size();
        for (const FieldRow* row : rows.images) {
            const QString image = row->getText(*c);
            if (image.isEmpty() || image == kNone)
                continue;
            bool again = false;
            for (size_t u = firstUse; u < d.imageUses.size() && !again; ++u)
                again = d.imageUses[u].image == image;
            if (!again)
                d.imageUses.push_back({image, c->name});
        }
    }
    return d;
}

unsigned ProjectOverview::Differences(const PageData& before, const PageData& now)
{
    unsigned parts = 0;
    if (before.codes != now.codes)
        parts |= kCodes;
    if (before.jumps != now.jumps)
        parts |= kJumps;
    if (before.groups != now.groups)
        parts |= kGroups;
    if (before.imageUses != now.imageUses)
        parts |= kImages;
    return parts;
}

void ProjectOverview::Refresh(const ProjectData& project)
{
    // A page renamed or gone changes what the other pages' elements name (deleting a page
    // cuts the references to it without those pages noticing): read everything again.
    std::vector<quint64> serials;
    serials.reserve(static_cast<size_t>(project.pages.size()));
    QSet<quint64> present;
    bool namesChanged = false;
    for (const XPage* page : project.pages) {
        serials.push_back(page->serial);
        present.insert(page->serial);
        const auto it = pages.constFind(page->serial);
        if (it != pages.constEnd() && (it->name != page->name || it->type != page->GetType()))
            namesChanged = true;
    }
    for (auto it = pages.cbegin(); it != pages.cend() && !namesChanged; ++it)
        namesChanged = !present.contains(it.key());
    if (namesChanged)
        pages.clear();

    pagesRead = 0;
    // Pages added or moved change every part's order; a page read again only what it holds.
    changed = serials != order ? unsigned(kAll) : 0u;
    for (const XPage* page : project.pages) {
        auto it = pages.find(page->serial);
        if (it != pages.end() && it->revision == page->revision)
            continue;
        ++pagesRead;
        PageData now = Read(*page);
        changed |= it == pages.end() ? unsigned(kAll) : Differences(it.value(), now);
        pages.insert(page->serial, std::move(now));
    }
    order = std::move(serials);
    if (changed & kCodes)
        MergeCodes(project);
    if (changed & kJumps)
        MergeJumps(project);
    if (changed & kGroups)
        MergeGroups(project);
    if (changed & kImages)
        MergeUsers(project);
    // The image folder may change without any page changing.
    const std::vector<ImageEntry> before = std::move(images);
    MergeImages(project);
    if (images != before)
        changed |= kImages;
}

void ProjectOverview::MergeCodes(const ProjectData& project)
{
    sendCodes.clear();
    for (const XPage* page : project.pages) {
        const PageData& d = pages[page->serial];
        sendCodes.insert(sendCodes.end(), d.codes.begin(), d.codes.end());
    }
    codeOrder.resize(sendCodes.size());
    for (size_t i = 0; i < codeOrder.size(); ++i)
        codeOrder[i] = i;
    std::stable_sort(codeOrder.begin(), codeOrder.end(),
                     [this](size_t a, size_t b) { return sendCodes[a].code < sendCodes[b].code; });
    MarkSharedCodes();
}

void ProjectOverview::MergeJumps(const ProjectData& project)
{
    jumps.clear();
    unreachedPages.clear();
    unshownSubPages.clear();
    QHash<QString, int> pageTypes;
    for (const XPage* page : project.pages)
        pageTypes.insert(page->name, page->GetType());
    QSet<QString> reached;
    QSet<QString> shown;
    for (const XPage* page : project.pages) {
        for (JumpEntry j : pages[page->serial].jumps) {
            const auto type = pageTypes.constFind(j.target);
            j.resolves = type != pageTypes.constEnd() && (!j.shows || type.value() == ElementType::kSubPage);
            // A page does not reach itself.
            if (j.target != j.page)
                (j.shows ? shown : reached).insert(j.target);
            jumps.push_back(std::move(j));
        }
    }
    for (const XPage* page : project.pages) {
        if (page->GetType() == ElementType::kSubPage) {
            if (!shown.contains(page->name))
                unshownSubPages << page->name;
        } else if (!reached.contains(page->name)) {
            unreachedPages << page->name;
        }
    }
}

void ProjectOverview::MergeGroups(const ProjectData& project)
{
    groups.clear();
    for (const XPage* page : project.pages) {
        const PageData& d = pages[page->serial];
        groups.insert(groups.end(), d.groups.begin(), d.groups.end());
    }
}

std::vector<SendCodeEntry> ProjectOverview::SendCodesByCode() const
{
    std::vector<SendCodeEntry> sorted;
    sorted.reserve(codeOrder.size());
    for (size_t i : codeOrder)
        sorted.push_back(sendCodes[i]);
    return sorted;
}

void ProjectOverview::MarkSharedCodes()
{
    // Within each run of one code, an element shares it with the others minus those of
    // its own interlock group on its own page. Runs are short: pair by pair below a few
    // dozen, with two tallies above.
    constexpr size_t kPairwise = 32;
    for (size_t begin = 0; begin < codeOrder.size();) {
        const int code = sendCodes[codeOrder[begin]].code;
        size_t end = begin;
        while (end < codeOrder.size() && sendCodes[codeOrder[end]].code == code)
            ++end;
        const int count = static_cast<int>(end - begin);
        if (end - begin <= kPairwise) {
            for (size_t i = begin; i < end; ++i) {
                SendCodeEntry& e = sendCodes[codeOrder[i]];
                int sameGroup = 0;
                int samePage = 0;
                for (size_t j = begin; j < end; ++j) {
                    const SendCodeEntry& o = sendCodes[codeOrder[j]];
                    if (o.page != e.page)
                        continue;
                    ++samePage;
                    if (j == i || (!e.group.isEmpty() && o.group == e.group))
                        ++sameGroup;
                }
                e.sharedWith = count - sameGroup;
                e.sharedOnPage = samePage - sameGroup > 0;
            }
            begin = end;
            continue;
        }
        QHash<QString, int> onPage;
        QHash<QPair<QString, QString>, int> inGroup;
        for (size_t i = begin; i < end; ++i) {
            const SendCodeEntry& e = sendCodes[codeOrder[i]];
            ++onPage[e.page];
            if (!e.group.isEmpty())
                ++inGroup[qMakePair(e.page, e.group)];
        }
        for (size_t i = begin; i < end; ++i) {
            SendCodeEntry& e = sendCodes[codeOrder[i]];
            const int sameGroup = e.group.isEmpty() ? 1 : inGroup.value(qMakePair(e.page, e.group));
            e.sharedWith = count - sameGroup;
            e.sharedOnPage = onPage.value(e.page) - sameGroup > 0;
        }
        begin = end;
    }
}

void ProjectOverview::MergeUsers(const ProjectData& project)
{
    users.clear();
    usedOrder.clear();
    for (const XPage* page : project.pages) {
        for (const ImageUse& use : pages[page->serial].imageUses) {
            Users& u = users[use.image];
            if (u.labels.isEmpty()) {
                usedOrder << use.image;
                u.firstPage = page->name;
                u.firstElement = use.element;
            }
            u.labels << UserLabel(page->name, use.element);
        }
    }
}

void ProjectOverview::MergeImages(const ProjectData& project)
{
    images.clear();
    QHash<QString, size_t> at;
    auto entry = [&](const QString& name) -> ImageEntry& {
        auto it = at.constFind(name);
        if (it != at.constEnd())
            return images[it.value()];
        at.insert(name, images.size());
        images.push_back({});
        images.back().name = name;
        return images.back();
    };
    for (const QString& name : project.images)
        entry(name).listed = true;
    for (const QString& name : usedOrder)
        entry(name);
    if (!project.folder.isEmpty()) {
        const QDir folder(project.GetImageFolder());
        for (const QString& file : folder.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name))
            entry(file);
    }
    for (ImageEntry& image : images) {
        const auto u = users.constFind(image.name);
        if (u != users.constEnd()) {
            image.users = u->labels;
            image.firstPage = u->firstPage;
            image.firstElement = u->firstElement;
        }
        const QString path = project.ImagePath(image.name);
        const QFileInfo info(path);
        image.hasFile = !path.isEmpty() && info.isFile();
        if (!image.hasFile)
            continue;
        // Reading an image's header is the slow part: only for files that changed.
        FileFacts& facts = fileFacts[path];
        if (facts.bytes != info.size() || facts.modified != info.lastModified()) {
            facts.bytes = info.size();
            facts.modified = info.lastModified();
            facts.pixels = QImageReader(path).size();
        }
        image.bytes = facts.bytes;
        image.pixels = facts.pixels;
    }
}
