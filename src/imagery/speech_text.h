// Typing speech text: one character or text code per step, so that the
// typist can pause between steps.
#pragma once

#include <string>
#include <string_view>

namespace tk {

class TMainForm;

// Draws the next character of `line` from the line position, or carries out
// the text code there, and moves the position on; at the end of the line
// the position goes back to 0 (or, at the end of an inserted flag value,
// back after its "@F" code). While a click is awaited it only makes sure the
// prompt mark runs.
void RenderTextStep(TMainForm& form, std::string_view line);

// The value an "@F" code inserts: a string flag's text, else an integer
// flag's decimal form, else nothing.
std::string InsertedFlagValue(const TMainForm& form, const std::string& name);

}  // namespace tk
