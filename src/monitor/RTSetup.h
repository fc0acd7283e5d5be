#pragma once
#include <QDialog>

#include "monitor/SetupMath.h"

class QComboBox;
class QLineEdit;
class QTimer;

// "Real-Time Setup" (dialog 148): the number of records of a monitoring run
// (box 1044, 1 to 9999999) and its sampling interval (combo box 1007), with the
// resulting recording cycle and start and end times, recomputed every second.
class CRTSetup : public QDialog {
    Q_OBJECT
public:
    explicit CRTSetup(QWidget* parent = nullptr);

    void SetGroupNumber(int n);          // before showing
    // Selects the interval the view last used (before showing); an index
    // outside the combo box keeps the one selected.
    void SetRateIndex(int index);
    int GroupNumber() const { return m_nGroupNumber; }
    int RateIndex() const { return m_nRateIndex; }

    // Recomputes the cycle and the times from the members (the timer tick).
    void Recompute();

    static constexpr int kMinRecords = 1;
    static constexpr int kMaxRecords = sonivel::kMaxRunRecords;

public slots:
    void accept() override;   // "Start": validates box 1044 first

private:
    // Reads box 1044 into the group number; shows the validation message and
    // returns false when the text is not an integer from 1 to kMaxRecords.
    bool ReadGroupNumber();
    void OnEdited();
    void OnRateChanged(int index);

    int m_nRateIndex = 0;
    int m_nGroupNumber = 0;
    QLineEdit* m_pGroup = nullptr;      // 1044
    QComboBox* m_pRate = nullptr;       // 1007
    QLineEdit* m_pCycle = nullptr;      // 1046
    QLineEdit* m_pStart = nullptr;      // 1047
    QLineEdit* m_pEnd = nullptr;        // 1048
    QTimer* m_pTimer = nullptr;
};

// The text of box 1044 as an integer: blanks around it allowed, an optional
// sign, then digits only. False when it is not an integer; a number too big
// for an int saturates (and so fails the range check).
bool ParseDialogInteger(const QString& text, int* value);
