#pragma once
#include <QDialog>

class QProgressBar;
class QPushButton;

// The download's progress dialog (146): no caption, "Accepting Data now!
// Waiting.......", progress bar 1057 and the Cancel button (2). Shown
// modally while the meter's answer streams in.
//
// RequestClose() ends it with the Cancel result. A request that comes
// before the dialog is on screen (an empty logger answers at once) is kept
// and honoured as soon as the dialog shows, so the modal loop never waits
// for an end that has already happened. Reset() forgets it for the next
// download.
class CLogState : public QDialog {
    Q_OBJECT
public:
    explicit CLogState(QWidget* parent = nullptr);

    void Reset();
    void RequestClose();
    bool CloseRequested() const { return m_bCloseRequested; }

    // Range 0..range, step, position: the receive side's progress report.
    void SetProgress(int range, int step, int pos);
    QProgressBar* Progress() const { return m_pProgress; }
    QPushButton* CancelButton() const { return m_pCancel; }
    // "取消", or "Cancel" where no installed font shows Chinese characters.
    static QString CancelText();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QProgressBar* m_pProgress;
    QPushButton* m_pCancel;
    bool m_bCloseRequested = false;
};
