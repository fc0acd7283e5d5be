#pragma once
#include <vector>

#include <QDialog>

#include "logger/DataLogForm.h"
#include "logger/GroupList.h"
#include "records/RecordList.h"
#include "monitor/Statistics.h"

class CChartParent;
class CNoiseStatistics;
class CGroupListModel;
class CPrintRX;

// The data-logger window (dialog 145, "DATALOGGER", menu 147): lists the
// groups of the logger store, shows the double-clicked group with its
// statistics in its own chart, and imports, saves, exports and prints.
//
// Modeless and owned by the main window. Its selected group refers to records
// of the logger store without owning them; whoever deletes those records
// first calls ForgetSelection() (the download and Open do, and so does the
// close below), so the window never draws or reads a deleted record.
class CDataLogDlg : public QDialog {
    Q_OBJECT
public:
    CDataLogDlg(QWidget* owner, CRecordStore& logStore);
    ~CDataLogDlg() override;

    // Makes the window as a freshly created one and shows it restored: the
    // group list rebuilt from the logger store, nothing selected, the
    // statistics and cursor boxes empty, the chart reset and drawn empty.
    void Recreate();

    // Rebuilds the group list from the logger store.
    void FillGroupList();
    // A double-click on row (-1: beside the rows, nothing happens): selects
    // every record of that row's group number, shows the statistics and draws
    // the group.
    void OnGroupDoubleClicked(int row);
    // Empties the selected group and draws the empty chart; the statistics
    // boxes keep their texts.
    void ForgetSelection();
    // Import is refused while a download fills the logger store.
    void SetDownloadActive(bool active);

    // Menu commands.
    void OnImport();          // 32781
    void OnExportExcel();     // 32813
    void OnExportCsv();       // 32833
    void OnSaveSelected();    // 32793
    void OnPrintGraph();      // 32794
    void OnPrintData();       // 32795
    void OnReportPdf();       // 32834
    void OnNoiseStatistics(); // 32835

    const CRecordSelection& SelGroup() const { return m_selGroup; }
    // Statistics of the selected group with its sum and interval, as the last
    // double-click computed them.
    const SStatBlock& StatBlock() const { return m_stat; }
    const std::vector<sonivel::SGroupRow>& Rows() const;
    const SDataLogForm& Form() const { return m_form; }

protected:
    void closeEvent(QCloseEvent* event) override;
    // Esc hides the window and keeps the logger store and the selection;
    // only closing the window (its close button) empties the store.
    void reject() override;

private:
    void CloseWindow();
    void ResetChart();
    void ShowStatistics(std::size_t count);
    void ClearBoxes();
    void SetBox(int id, const QString& text);

    CRecordStore& m_logStore;
    SStatBlock m_stat;
    CRecordSelection m_selGroup;
    SDataLogForm m_form;
    CGroupListModel* m_pModel = nullptr;
    CChartParent* m_pChartParent = nullptr;
    // The noise figures of the selected group and between the cursors.
    CNoiseStatistics* m_pNoise = nullptr;
    bool m_bDownloadActive = false;
};
