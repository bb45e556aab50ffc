#pragma once

#include <QString>

class XPage;

// The document of one page window: which page or sub-page it shows, under which title.
// It holds no project data of its own; the page belongs to its project.
class CMarvolentaDoc {
public:
    explicit CMarvolentaDoc(XPage* page);

    XPage* GetPage() const { return page; }
    QString GetTitle() const { return title; }
    void SetTitle(const QString& t) { title = t; }

private:
    XPage* page;
    QString title;
};
