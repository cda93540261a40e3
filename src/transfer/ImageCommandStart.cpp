#include "transfer/ImageCommandStart.h"

#include "StringIds.h"
#include "model/CVX50TextDoc.h"
#include "transfer/ProtocolLibrary.h"
#include "transfer/TransferSession.h"
#include "transfer/image/HeaderArea.h"

bool StartImageCommand(TransferSession& session, CVX50TextDoc& doc, ProtocolFunctionTable& protocol,
    int progressBase, bool withHeader)
{
    const int screens = static_cast<int>(doc.Screens.size());
    if (!session.ShowProgress(4 * screens + progressBase, IdsWritePanelCaption, IdsWritePanelProgress))
        return false;
    // The write's entries for both: the compile builds what the write builds.
    const bool needed = doc.UseProtocolLibrary == 1 || (withHeader && HeaderNeedsProtocolLibrary(doc));
    if (needed && !LoadProtocolLibrary(doc.ProtocolLibraryName, ProtocolUse::Write, protocol)) {
        session.Finish({TransferSession::CleanUp::RemoveProgress});
        return false;
    }
    doc.TidyAndCommitWorkingElements();
    return true;
}
