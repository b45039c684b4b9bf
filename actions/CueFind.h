#pragma once

#include <QString>

class CtarnDoc;
class Host;
struct CueQuery;

/// The next cue after the current one (the one before when `backward`) whose text matches
/// `query`, wrapping around; -1 with the status "Nothing found", or with a message for an
/// invalid regular expression.
int FindCue(const CtarnDoc& doc, Host& host, const CueQuery& query, bool backward);

/// Replaces every match of `query` in every cue text by `replacement` as the one step
/// "Replace all". The texts are normalised as an edit does, and a cue left without text is
/// removed; the current cue stays current unless it went. The status line tells how many
/// matches in how many cues were replaced, or "Nothing found" (no step); an invalid regular
/// expression is a message. Returns the number of matches replaced.
int ReplaceAll(CtarnDoc& doc, Host& host, const CueQuery& query, const QString& replacement);

/// Replaces every match of `query` in the text of cue `index` (the one a find stopped at) by
/// `replacement` as the one step "Replace", normalised as an edit does; the cue becomes
/// current, or is removed (none current) when no text is left. An invalid regular expression
/// is a message. Returns whether anything was replaced.
bool ReplaceInCue(CtarnDoc& doc, Host& host, const CueQuery& query, const QString& replacement,
                  int index);
