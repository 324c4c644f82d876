#pragma once

#include "core/AppMessage.h"

#include <QList>
#include <QPoint>
#include <QSize>

// Where everything of a message box goes, computed from the size its text needs. Kept apart from
// the window so the rules can be checked with plain numbers.
struct MsgBoxGeometry {
    static constexpr int LabelLeft = 56;
    static constexpr int LabelTop = 8;
    static constexpr int PictureWidth = 36;
    static constexpr int PictureHeight = 32;
    static constexpr int StripHeight = 40;
    static constexpr int ButtonWidth = 46;
    static constexpr int ButtonHeight = 40;
    static constexpr int MinWidth = 115;

    QSize client;        // client area
    int stripHeight = 0; // 0 when the box has no buttons
    int pictureTop = 0;  // the kind's picture stands at left 0
    QPoint okPos;        // valid only when the set holds OK
    QPoint cancelPos;    // valid only when the set holds Cancel
    bool hasOK = false;
    bool hasCancel = false;
};

// Rounds to the nearest integer, halves to the even neighbour (as the box always did).
int RoundHalfEven(double value);

MsgBoxGeometry ComputeMsgBoxGeometry(QSize labelSize, MsgButtons buttons);
