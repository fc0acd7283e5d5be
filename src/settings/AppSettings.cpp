#include "settings/AppSettings.h"

#include <charconv>

#include "graph/ColorSettings.h"

namespace sonivel {

namespace {

const char* const kRateIndex = "View/SampleRateIndex";
const char* const kRecordLimit = "View/RecordLimit";
const char* const kListShown = "View/DataListShown";
const char* const kAutoPort = "Port/Automatic";
const char* const kManualPort = "Port/Manual";
const char* const kToolBar = "Window/ToolBar";
const char* const kStatusBar = "Window/StatusBar";

std::optional<int> WholeNumber(const std::optional<std::string>& text, int lowest, int highest)
{
    if (!text)
        return std::nullopt;
    int value = 0;
    const char* first = text->data();
    const char* last = first + text->size();
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

std::optional<bool> Boolean(const std::optional<std::string>& text)
{
    if (text == "true")
        return true;
    if (text == "false")
        return false;
    return std::nullopt;
}

} // namespace

std::string AppSettingsPath()
{
    const std::string colors = ColorSettingsPath();
    const std::size_t slash = colors.rfind('/');
    if (slash == std::string::npos)
        return {};
    return colors.substr(0, slash + 1) + "Sonivel.conf";
}

SAppSettings ParseAppSettings(const SettingLookup& lookup,
                              const std::function<bool(const std::string& device)>& portExists)
{
    SAppSettings s;
    s.rateIndex = WholeNumber(lookup(kRateIndex), 0, static_cast<int>(kRateChoices.size()) - 1).value_or(s.rateIndex);
    s.recordLimit = WholeNumber(lookup(kRecordLimit), 1, kMaxRunRecords).value_or(s.recordLimit);
    s.listShown = Boolean(lookup(kListShown)).value_or(s.listShown);
    s.toolBar = Boolean(lookup(kToolBar)).value_or(s.toolBar);
    s.statusBar = Boolean(lookup(kStatusBar)).value_or(s.statusBar);
    const std::string port = lookup(kManualPort).value_or(std::string());
    if (!port.empty() && port.front() == '/' && portExists(port)) {
        s.manualPort = port;
        s.autoPort = Boolean(lookup(kAutoPort)).value_or(true);
    }
    return s;
}

std::vector<std::pair<std::string, std::string>> AppSettingsValues(const SAppSettings& s)
{
    const auto text = [](bool b) { return std::string(b ? "true" : "false"); };
    return {
        {kRateIndex, std::to_string(s.rateIndex)}, {kRecordLimit, std::to_string(s.recordLimit)},
        {kListShown, text(s.listShown)},           {kAutoPort, text(s.autoPort)},
        {kManualPort, s.manualPort},               {kToolBar, text(s.toolBar)},
        {kStatusBar, text(s.statusBar)},
    };
}

std::string FileDialogFolderKey(bool save, const std::string& defaultSuffix)
{
    struct SKind {
        bool save;
        const char* suffix;
        const char* name;
    };
    static constexpr SKind kKinds[] = {
        {false, "txt", "Open"},      {true, "txt", "Save"},       {true, "xls", "ExportExcel"},
        {true, "csv", "ExportCsv"},  {true, "pdf", "ReportPdf"},
    };
    for (const SKind& k : kKinds)
        if (k.save == save && defaultSuffix == k.suffix)
            return std::string("Folders/") + k.name;
    return std::string("Folders/") + (save ? "Save." : "Open.") + defaultSuffix;
}

} // namespace sonivel
