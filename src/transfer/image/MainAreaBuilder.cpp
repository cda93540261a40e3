#include "transfer/image/MainAreaBuilder.h"

#include "model/CVX50TextDoc.h"

MainAreaBuilder::MainAreaBuilder(const CVX50TextDoc& doc, const ProtocolFunctionTable& protocol, UserInterface& ui,
    std::shared_ptr<const UnifontFont> font)
    : m_doc(doc), m_protocol(protocol), m_ui(ui), m_font(std::move(font))
{
}

bool MainAreaBuilder::BuildProjectData(const ProjectDataOptions& options, int& progress)
{
    m_usedChars.Clear();
    TextCoder coder(m_usedChars, m_font.get());
    std::optional<ProjectData> data = ::BuildProjectData(m_doc, m_protocol, options, coder, m_ui, progress);
    if (!data)
        return false;
    m_data = std::move(*data);
    return true;
}

std::optional<MainArea> MainAreaBuilder::Assemble()
{
    return AssembleMainArea(GlyphTableBytes(m_usedChars, m_font.get()), m_data, ReadEmbeddedTableText(m_doc),
        m_doc.TableEditable == 1, m_ui);
}
