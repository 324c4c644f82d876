#pragma once

#include <QString>
#include <cstdint>

// Kinds of the program's message box; the values are those the box was always built with.
enum MsgKind : std::uint8_t { mkError = 1, mkNotice = 2, mkQuestion = 3, mkNewCall = 4 };

// Button set: bit 0 OK, bit 1 Cancel.
using MsgButtons = std::uint8_t;
constexpr MsgButtons mbNone = 0;
constexpr MsgButtons mbOK = 1;
constexpr MsgButtons mbOKCancel = 3;

// Modal results.
constexpr int mrOK = 1;
constexpr int mrCancel = 2;

// How logic asks the user something without knowing about windows. The window implementation
// shows the program's own message box modally; tests plug in a recording fake.
class AppMessenger {
public:
    virtual ~AppMessenger();
    // Returns mrOK when OK was pressed, mrCancel when Cancel was pressed.
    virtual int ShowAppMessage(const QString& caption, const QString& text, MsgKind kind,
                               MsgButtons buttons, int helpContext = 0) = 0;
};
