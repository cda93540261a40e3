#pragma once

#include "transfer/ProtocolFunctionTable.h"
#include "transfer/image/MainArea.h"
#include "transfer/image/ProjectData.h"
#include "transfer/image/TextCoding.h"
#include "transfer/image/UnifontFont.h"
#include "transfer/image/UsedCharTable.h"

#include <memory>
#include <optional>

class CVX50TextDoc;
class UserInterface;

// Builds the main area of the panel image in the two steps the write command
// runs apart (the panel is told that a transfer begins between them):
//  1. BuildProjectData codes every text into a fresh character table (each
//     new character must have a glyph in the font) and builds the project
//     data, failing before anything is sent;
//  2. Assemble adds the glyph table and the address-table text and applies
//     the capacity rule.
// Messages, the progress window and the selection of a faulty element go
// through `ui`. The builder keeps the character table of its build.
class MainAreaBuilder {
public:
    MainAreaBuilder(const CVX50TextDoc& doc, const ProtocolFunctionTable& protocol, UserInterface& ui,
        std::shared_ptr<const UnifontFont> font = SharedUnifont());

    bool BuildProjectData(const ProjectDataOptions& options, int& progress);
    // After a successful BuildProjectData.
    std::optional<MainArea> Assemble();
    // Assemble gave nothing because the user chose to write no image without
    // the address-table text (No to 61414); otherwise 61262 was shown.
    bool Declined() const { return m_declined; }

    const ProjectData& Data() const { return m_data; }
    const UsedCharTable& UsedChars() const { return m_usedChars; }

private:
    const CVX50TextDoc& m_doc;
    const ProtocolFunctionTable& m_protocol;
    UserInterface& m_ui;
    std::shared_ptr<const UnifontFont> m_font;
    UsedCharTable m_usedChars;
    ProjectData m_data;
    bool m_declined = false;
};
