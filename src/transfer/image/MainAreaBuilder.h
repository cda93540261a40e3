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

// Builds the main area of the panel image in two steps (the compile needs
// only the first):
//  1. BuildProjectData codes every text into a fresh character table (each
//     new character must have a glyph in the font) and builds the project
//     data;
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

    const ProjectData& Data() const { return m_data; }
    const UsedCharTable& UsedChars() const { return m_usedChars; }

private:
    const CVX50TextDoc& m_doc;
    const ProtocolFunctionTable& m_protocol;
    UserInterface& m_ui;
    std::shared_ptr<const UnifontFont> m_font;
    UsedCharTable m_usedChars;
    ProjectData m_data;
};
