#pragma once

#include <QDateTime>
#include <QHash>
#include <QSize>
#include <QString>
#include <QStringList>

#include <vector>

class FieldTable;
class ProjectData;
class XControl;
class XPage;
struct FieldRow;

// An element that sends a code when pressed or moved.
struct SendCodeEntry {
    int code = 0;
    QString page;
    QString element;
    int type = 0;
    int kind = -1;   // button kind 0..2; -1 for elements without one
    QString group;   // interlock group, empty for none
    QString command; // command string, empty for elements without one
    // Other elements that send the same code and are not in this one's interlock group;
    // whether one of them lies on the same page (what the project check warns about).
    int sharedWith = 0;
    bool sharedOnPage = false;

    bool operator==(const SendCodeEntry& o) const
    {
        return code == o.code && page == o.page && element == o.element && type == o.type && kind == o.kind
            && group == o.group && command == o.command && sharedWith == o.sharedWith
            && sharedOnPage == o.sharedOnPage;
    }
};

// A reference from an element to a page: a jump, or a sub-page a container shows.
struct JumpEntry {
    QString page;
    QString element;
    int type = 0;
    QString target;
    bool shows = false;    // a container showing a sub-page, not a jump
    bool resolves = true;  // the project holds the target

    bool operator==(const JumpEntry& o) const
    {
        return page == o.page && element == o.element && type == o.type && target == o.target && shows == o.shows
            && resolves == o.resolves;
    }
};

struct GroupEntry {
    QString page;
    QString group;
    QStringList members; // in page order

    bool operator==(const GroupEntry& o) const { return page == o.page && group == o.group && members == o.members; }
};

struct ImageEntry {
    QString name;
    QStringList users;   // "page / element", in project order
    QString firstPage;   // the first user, to lead to
    QString firstElement;
    bool listed = false; // in the project's image list
    bool hasFile = false;
    QSize pixels;        // invalid when the file is missing or unreadable
    qint64 bytes = 0;

    bool operator==(const ImageEntry& o) const
    {
        return name == o.name && users == o.users && firstPage == o.firstPage && firstElement == o.firstElement
            && listed == o.listed && hasFile == o.hasFile && pixels == o.pixels && bytes == o.bytes;
    }
};

// What the overview shows of a project: send codes, jumps, interlock groups and images,
// read through the elements' field tables as the project check reads them. A refresh
// reads again only the pages whose revision changed since the last one; the rest comes
// from what was read of them before.
class ProjectOverview {
public:
    // The parts of the overview, to tell which of them a refresh changed.
    enum Part : unsigned { kCodes = 1u << 0, kJumps = 1u << 1, kGroups = 1u << 2, kImages = 1u << 3, kAll = 15u };

    void Refresh(const ProjectData& project);
    void Clear();

    // In project order (pages, then controls on each page).
    const std::vector<SendCodeEntry>& SendCodes() const { return sendCodes; }
    // By code, then in project order.
    std::vector<SendCodeEntry> SendCodesByCode() const;
    const std::vector<JumpEntry>& Jumps() const { return jumps; }
    // Pages that no element jumps to, sub-pages that no container shows (project order).
    const QStringList& UnreachedPages() const { return unreachedPages; }
    const QStringList& UnshownSubPages() const { return unshownSubPages; }
    const std::vector<GroupEntry>& Groups() const { return groups; }
    // The project's images in list order, then images elements use that the list lacks,
    // then files of the image folder that neither names.
    const std::vector<ImageEntry>& Images() const { return images; }
    // How many pages the last refresh read (the others were unchanged), and which parts it
    // changed (Part flags).
    int PagesReadLastTime() const { return pagesRead; }
    unsigned ChangedLastTime() const { return changed; }

private:
    struct ImageUse {
        QString image;
        QString element;
        bool operator==(const ImageUse& o) const { return image == o.image && element == o.element; }
    };
    struct PageData {
        quint64 revision = 0;
        QString name;
        int type = 0;
        std::vector<SendCodeEntry> codes;
        std::vector<JumpEntry> jumps;
        std::vector<GroupEntry> groups;
        std::vector<ImageUse> imageUses;
    };
    // The rows of a class's table the overview reads, found once per table.
    struct TableRows {
        const FieldRow* sendCode = nullptr;
        const FieldRow* kind = nullptr;
        const FieldRow* group = nullptr;
        const FieldRow* command = nullptr;
        std::vector<const FieldRow*> references; // to pages and sub-pages
        std::vector<const FieldRow*> images;
    };
    struct Users {
        QStringList labels; // "page / element"
        QString firstPage;
        QString firstElement;
    };
    struct FileFacts {
        QDateTime modified;
        qint64 bytes = -1;
        QSize pixels;
    };

    const TableRows& RowsOf(const FieldTable* table);
    PageData Read(const XPage& page);
    // What differs between what was read of a page before and now.
    static unsigned Differences(const PageData& before, const PageData& now);
    void MergeCodes(const ProjectData& project);
    void MergeJumps(const ProjectData& project);
    void MergeGroups(const ProjectData& project);
    void MergeUsers(const ProjectData& project);
    void MergeImages(const ProjectData& project);
    void MarkSharedCodes();

    QHash<quint64, PageData> pages; // by page serial
    std::vector<quint64> order;     // the pages' serials in project order, as last merged
    QHash<const FieldTable*, TableRows> tableRows;
    QHash<QString, Users> users;         // by image name
    QStringList usedOrder;               // the names elements use, in order of first use
    QHash<QString, FileFacts> fileFacts; // by image path
    std::vector<SendCodeEntry> sendCodes;
    std::vector<size_t> codeOrder; // indices into sendCodes by code
    std::vector<JumpEntry> jumps;
    QStringList unreachedPages;
    QStringList unshownSubPages;
    std::vector<GroupEntry> groups;
    std::vector<ImageEntry> images;
    int pagesRead = 0;
    unsigned changed = 0;
};
