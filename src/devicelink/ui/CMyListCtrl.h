#pragma once

#include "devicelink/DeviceInfoItem.h"

#include <QTableWidget>

// The device list of the device-information dialog: one row per device with a check box
// in the first column, grid lines, single full-row selection and movable columns. The
// selected row is always drawn white on blue (0x3399FF) and every other row black on
// white, whether or not the list has the focus.
class CMyListCtrl : public QTableWidget {
    Q_OBJECT
public:
    explicit CMyListCtrl(QWidget* parent = nullptr);

    void SetColumnCaptions(const QStringList& captions);
    // Gives each column (client width / columns) - 1 pixels.
    void SpreadColumns();

    int AppendRow(const DeviceInfoItem& item);
    void WriteRow(int row, const DeviceInfoItem& item);
    QString Text(int row, int column) const;
    bool IsChecked(int row) const;
    void SetChecked(int row, bool checked);
    int SelectedRow() const;
    void SelectRow(int row);
    int CheckedCount() const;
};
