#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class QTableWidget;
class QToolButton;

// What the four table pages share: a table of whole-row single selection mirroring part of the
// configuration, the add, delete, copy, edit and clear buttons with the count label, and the keys
// Insert (add), Delete (delete) and Enter (edit), each doing what its button does while it is enabled.
// A page keeps only its own rules: its rows, its limit, its texts and its dialogs.
class TablePageWidget : public QWidget
{
    Q_OBJECT

public:
    int rowCount() const;

public slots:
    virtual void loadTable() = 0;
    virtual void onAdd() = 0;
    virtual void onDel() = 0;
    virtual void onCopy() = 0;
    virtual void onEdit() = 0;
    virtual void onClear() = 0;
    // Takes the selected row from the table and enables the buttons by the page's rules.
    void selectionChanged();

signals:
    void modified();

protected:
    struct Buttons
    {
        QToolButton* add;
        QToolButton* del;
        QToolButton* copy;
        QToolButton* edit;
        QToolButton* clear;
    };

    explicit TablePageWidget(QWidget* parent);

    // Called by the page's constructor once its form is set up: connects the buttons, the selection,
    // the double click and the keys.
    void bindTable(QTableWidget* pageTable, QLabel* pageCountLabel, const Buttons& pageButtons);

    // The most rows the page can hold.
    virtual int rowLimit() const = 0;
    // The text of the count label for rows of limit.
    virtual QString countText(int rows, int limit) const = 0;
    // Rows that "clear" leaves (the default event table).
    virtual int permanentRows() const { return 0; }
    virtual bool canDelete(int row) const { return row >= 0; }
    // The page's further buttons that depend on the selection (the order buttons).
    virtual void updateSelectionButtons() {}

    void updateCount();
    void selectRow(int row);
    // Empties the table and fills rows 0 to count - 1 through fillRow, without a signal or a repaint per
    // cell, then takes the selection (none) again.
    void reloadRows(int count, const std::function<void(int row)>& fillRow);

    bool eventFilter(QObject* watched, QEvent* event) override;

    QTableWidget* table = nullptr;
    int selectedRow = -1;

private:
    bool runKey(int key);

    QLabel* countLabel = nullptr;
    Buttons buttons{};
};
