#include "actions/RetimeCues.h"

#include "base/Host.h"
#include "document/CtarnDoc.h"

#include <QCoreApplication>

bool RetimeCues(CtarnDoc& doc, Host& host, const std::vector<int>& rows, const Retiming& how) {
    RetimeResult result;
    // A refusal leaves the list as it was, and an unchanged list is no step.
    doc.ChangeCues(QCoreApplication::translate("Step", "Retime cues"), [&](CueList& cues) {
        result = RetimeCueList(cues, rows, how, doc.GetRecording().SampleRate());
    });
    if (!result.refusal.isEmpty()) {
        host.ShowMessage(result.refusal);
        return false;
    }
    host.ShowStatus(
        QCoreApplication::translate("Message", "Retimed %n cues", nullptr, result.retimed));
    return true;
}
