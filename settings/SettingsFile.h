#pragma once

#include "settings/CColor.h"
#include "settings/CFrontEndSettings.h"
#include "settings/CLayoutSettings.h"
#include "settings/CLooksSettings.h"

#include <memory>
#include <string>

class CXmlDocument;
class IMessageBox;

// The settings file every run reads from its working directory.
extern const char* const DefaultSettingsFile; // "settings.cfg"
// The text of the settings file the program comes with: every key the file holds, at its
// default.
extern const char* const DefaultSettingsDocument;

// Resets both records to their defaults, then reads every key the file holds. A missing or
// unreadable file keeps the defaults and returns false; nothing is shown.
bool ReadSettings(CLayoutSettings& layout, CLooksSettings& looks,
                  const std::string& fileName = DefaultSettingsFile);

// Resets frontEnd to its defaults (its cache directory excepted), then reads the attributes of
// the file's frontend element: jobs (a whole number from 0 to 1024; anything else keeps the
// default) and query_driver (globs separated by commas). A missing file or element keeps the
// defaults and returns false.
bool ReadFrontEndSettings(CFrontEndSettings& frontEnd,
                          const std::string& fileName = DefaultSettingsFile);

// Reads the colour element named by xpath (red, green, blue and optional alpha, 0 to 255).
// Returns false and leaves color unchanged when the element or a component is missing.
bool ReadColor(CXmlDocument& document, const std::string& xpath, CColor& color);

// Writes the editable values into "settings.cfg" (empty fileName) or into a copy of it saved
// under fileName; without a "settings.cfg" both start from DefaultSettingsDocument. The file
// written is replaced in one step, so a failure leaves it as it was. Failures are shown in
// messages under "Parser error" and return false.
bool SaveSettings(CLayoutSettings layout, CLooksSettings looks, std::string fileName,
                  IMessageBox& messages);

// "settings.cfg" read into a document that saves under fileName (nothing is written before
// Save): DefaultSettingsDocument when there is no "settings.cfg"; null when it exists but
// cannot be read. May throw CError "Invalid file or xml document".
std::unique_ptr<CXmlDocument> CopySettingsFile(const std::string& fileName);

// The multi-line texts the log shows at start-up.
std::string DumpLayoutSettings(const CLayoutSettings& layout);
std::string DumpLooksSettings(const CLooksSettings& looks);
