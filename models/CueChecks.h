#pragma once

#include "subtitles/TimingRules.h"

#include <QObject>

class CtarnDoc;

/// The timing rules' verdict on every cue of the document, kept up to date as the cues
/// change: an edit re-checks the cues it touched and their neighbours only.
class CueChecks : public QObject {
    Q_OBJECT

public:
    CueChecks(const CtarnDoc& doc, TimingProfile profile, QObject* parent = nullptr);

    const TimingProfile& Profile() const { return m_profile; }
    /// Checks every cue against `profile` from now on.
    void SetProfile(TimingProfile profile);

    /// The problems of cue i; none for an index that is no cue.
    TimingProblems Problems(int i) const;
    /// How many cues break a rule.
    int FlaggedCount() const { return m_check.FlaggedCount(); }
    /// The next cue after `from` (before it when `backward`) that breaks a rule, wrapping
    /// around; -1 when none does.
    int NextFlagged(int from, bool backward) const;

signals:
    /// Cues first .. last were checked again (all of them when the profile or the document
    /// changed).
    void checked(int first, int last);

private:
    void CheckAll();

    const CtarnDoc& m_doc;
    TimingProfile m_profile;
    TimingCheck m_check;
};
