#pragma once

#include "editor/FindReplace.h"

#include <QDockWidget>

#include <vector>

class OverviewTableModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeView;

// Find and replace over the project: what to look for and where, the controls found, and
// replacing in their names or texts; numbering the send codes of the selected controls.
// The pane only asks; whoever owns the project runs the search and the edits.
class CFindReplacePane : public QDockWidget {
    Q_OBJECT
public:
    explicit CFindReplacePane(QWidget* parent = nullptr);

    // The query as typed; the page is the caller's to fill in when CurrentPageOnly.
    FindQuery Query() const;
    bool CurrentPageOnly() const;
    QString Replacement() const;
    int RenumberStart() const;
    void ShowHits(const std::vector<FindHit>& hits);
    void ShowStatus(const QString& text);
    void Relabel();
    void FocusFind();

    QLineEdit* FindEdit() const { return findEdit; }
    QLineEdit* ReplaceEdit() const { return replaceEdit; }
    QComboBox* FieldBox() const { return fieldBox; }
    QComboBox* ScopeBox() const { return scopeBox; }
    QCheckBox* MatchCaseBox() const { return matchCase; }
    QSpinBox* StartBox() const { return startBox; }
    QPushButton* FindButton() const { return findButton; }
    QPushButton* ReplaceButton() const { return replaceButton; }
    QPushButton* RenumberButton() const { return renumberButton; }
    QTreeView* Results() const { return results; }
    OverviewTableModel* ResultModel() const { return model; }

Q_SIGNALS:
    void FindRequested();
    void ReplaceRequested();
    void RenumberRequested();
    void ElementActivated(const QString& page, const QString& element);

private:
    void UpdateReplaceState();

    QLineEdit* findEdit;
    QLineEdit* replaceEdit;
    QComboBox* fieldBox;
    QComboBox* scopeBox;
    QCheckBox* matchCase;
    QSpinBox* startBox;
    QPushButton* findButton;
    QPushButton* replaceButton;
    QPushButton* renumberButton;
    QLabel* findLabel;
    QLabel* replaceLabel;
    QLabel* renumberLabel;
    QLabel* status;
    QTreeView* results;
    OverviewTableModel* model;
};
