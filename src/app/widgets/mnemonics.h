#pragma once

#include <QString>
#include <vector>

class QWidget;

namespace tidewell {

// The mnemonic of a text: the character after a single "&", lower case; empty without one.
QString MnemonicOf(const QString& text);

// The text of a button, label or group box; empty for other widgets.
QString MnemonicText(const QWidget* control);

// The texts of `scope`'s controls that carry a mnemonic: buttons, labels and group boxes.
std::vector<QWidget*> MnemonicControls(const QWidget* scope);

// Gives every control of each scope a mnemonic no other control of the window uses while that
// scope is shown: the window's own controls outside every scope (its buttons) keep theirs, then
// the controls of a scope keep theirs in order, and one whose key is taken moves to a free
// letter of its text ("(&T)" of a Chinese text to a free letter), or loses its mnemonic.
void MakeMnemonicsUnique(const QWidget* window, const std::vector<QWidget*>& scopes);

}  // namespace tidewell
