#pragma once

// The two areas of the panel image that the write command builds for a
// document, with the screens' descriptions unless `options` leave them out;
// for the tests, the benchmarks and the fuzz seeds. Header-only.

#include "base/UserInterface.h"
#include "model/CVX50TextDoc.h"
#include "transfer/ProtocolFunctionTable.h"
#include "transfer/image/HeaderArea.h"
#include "transfer/image/MainAreaBuilder.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

struct PanelImageAreas {
    std::vector<std::uint8_t> main;
    std::vector<std::uint8_t> header;
};

// Nothing when the build fails (its message shown through `ui`).
inline std::optional<PanelImageAreas> PanelImageOf(const CVX50TextDoc& doc, const ProtocolFunctionTable& protocol,
    UserInterface& ui, std::shared_ptr<const UnifontFont> font = SharedUnifont(),
    ProjectDataOptions options = {true})
{
    MainAreaBuilder builder(doc, protocol, ui, std::move(font));
    int progress = 0;
    if (!builder.BuildProjectData(options, progress))
        return std::nullopt;
    const std::optional<MainArea> main = builder.Assemble();
    if (!main)
        return std::nullopt;
    const HeaderBuild header = BuildHeaderArea(doc, protocol, builder.Data(), *main, builder.UsedChars().Count());
    if (!header.area)
        return std::nullopt;
    return PanelImageAreas{main->bytes, header.area->bytes};
}
