#pragma once

class CtarnDoc;
class Host;

// Writing stretches of the recording as WAV clips, asking the host where.

/// Asks for a path and writes the selection there ("Save clip"); the file joins the recent
/// files and the status line says how many frames it holds.
void OnSaveClip(CtarnDoc& doc, Host& host);
/// "Save Vorn": every pair of cues as k.wav, k"v.wav" and k.txt, k counting up from the
/// number the chosen file name begins with.
void OnSaveVorn(CtarnDoc& doc, Host& host);
/// "Save Vorn(2)": every cue as k.wav and k.txt.
void OnSaveVorn2(CtarnDoc& doc, Host& host);
