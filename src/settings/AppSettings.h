#pragma once
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "monitor/MonitorRun.h"
#include "monitor/SetupMath.h"

namespace sonivel {

// The program's own settings file, beside the colour settings file (which
// keeps its own file and format): $XDG_CONFIG_HOME (or ~/.config) followed by
// "/Sonivel/Sonivel.conf", in the INI form QSettings writes. Empty when
// neither folder can be determined: the program then keeps no settings.
std::string AppSettingsPath();

// The settings of the main window and its view that outlive the program (the
// window's geometry and the file dialogs' folders are kept beside them by the
// Qt side, as opaque values).
struct SAppSettings {
    int rateIndex = kDefaultRateIndex;        // sampling interval, index into kRateChoices
    int recordLimit = kDefaultRecordLimit;    // records of a run (Setup), 1 .. kMaxRunRecords
    bool listShown = false;                   // the Data List instead of the Graph
    bool autoPort = true;                     // Com Port > Auto, else Manual with manualPort
    std::string manualPort;                   // the device chosen with Com Port > Manual
    bool toolBar = true;                      // View > ToolBar
    bool statusBar = true;                    // View > StatusBar
    bool operator==(const SAppSettings&) const = default;
};

// The stored text of a key, nullopt when the key is missing.
using SettingLookup = std::function<std::optional<std::string>(const std::string& key)>;

// The settings a file holds. A missing key, a text that is not a whole number
// or boolean, and a value out of range (a rate index outside the combo box, a
// record limit outside 1 .. kMaxRunRecords) give that setting's default. The
// manual port mode comes back only while its device exists (portExists);
// otherwise the port is automatic again.
SAppSettings ParseAppSettings(const SettingLookup& lookup,
                              const std::function<bool(const std::string& device)>& portExists);

// The keys and texts that store settings (ParseAppSettings reads them back).
std::vector<std::pair<std::string, std::string>> AppSettingsValues(const SAppSettings& settings);

// The key under which a file dialog keeps its last folder, by the dialog's
// kind: "Folders/Open" (Open, Import), "Folders/Save" (Save, Save Selected),
// "Folders/ExportExcel", "Folders/ExportCsv", "Folders/ReportPdf"; another
// kind keeps "Folders/Open.<suffix>" or "Folders/Save.<suffix>".
std::string FileDialogFolderKey(bool save, const std::string& defaultSuffix);

} // namespace sonivel
