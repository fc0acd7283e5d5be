#pragma once
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "records/RecordList.h"

namespace sonivel {

// One row of the data-logger window's group list: a run of consecutive
// records with the same group number. Time, unit and interval are those of
// the run's first record.
struct SGroupRow {
    int nGroup = 0;
    std::string strTime;
    std::string strUnit;
    double dSampleRate = 0.0;
    std::size_t nCount = 0;
};

// The rows of a store, in store order. A group number that occurs in two
// separate runs gives two rows, each with the count of its own run.
std::vector<SGroupRow> BuildGroupRows(const CRecordList& store);

// Column texts of the list: "ID" "%d", "DATETIME", "UNIT", "Sampling Rate"
// "%.2f", "Nums" "%d".
inline constexpr int kGroupColumns = 5;
std::array<std::string, kGroupColumns> GroupRowTexts(const SGroupRow& row);

} // namespace sonivel
