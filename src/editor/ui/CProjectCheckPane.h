#pragma once

#include "editor/ProjectCheck.h"

#include <QDockWidget>

#include <vector>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

// The docked list of what the project check found: severity, page, element and message,
// errors first. Double-clicking a finding asks for its page to be opened and its element
// selected. The findings name elements by pointer only to hand them back; whoever
// receives FindingActivated looks them up in the project before use.
class CProjectCheckPane : public QDockWidget {
    Q_OBJECT
public:
    explicit CProjectCheckPane(QWidget* parent = nullptr);

    void ShowFindings(const std::vector<CheckFinding>& findings);
    void Clear();
    // Relabels the columns and the messages in the current language.
    void Relabel();

    const std::vector<CheckFinding>& Findings() const { return findings; }
    QTreeWidget* List() const { return list; }

Q_SIGNALS:
    void FindingActivated(const XPage* page, const XControl* element);

private:
    void Fill();
    void OnActivated(QTreeWidgetItem* item);

    std::vector<CheckFinding> findings;
    QTreeWidget* list;
    QLabel* summary;
};
