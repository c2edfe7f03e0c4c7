// Path texts built at random from the pieces a user might type, over a fixture disc that
// holds the folders and files the pieces name.
#pragma once
#include <random>
#include <string>

namespace lt {

// The start-up folder that goes with the disc; some texts name it.
extern const std::string GrammarStart; // C:\lumbra-tests\start

// Fills E: with the fixture disc and GrammarStart with the start-up folder's files.
// Program files are copies of the stub when stubs is set, else one byte each; with
// documents, E:\GAMES also holds README.TXT and SETUP.BAT.
void MakeGrammarDisc(bool stubs, bool documents);

// One path text: an optional drive part, folders and a last component joined by "\" or
// "/", sometimes in brackets; wildcards, ".", "..", trailing dots and blanks, device names,
// 255-character names, bytes of 128 and above; now and then one of 32,767 bytes.
std::string RandomPathText(std::mt19937& random);

// The text with its bytes of 128 and above and control bytes written as \xNN, for messages.
std::string Printable(const std::string& text);

} // namespace lt
