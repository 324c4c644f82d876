#include "shell/msgbox/MsgBoxGeometry.h"

#include <algorithm>
#include <cmath>

int RoundHalfEven(double value) {
    const double down = std::floor(value);
    const double diff = value - down;
    if (diff > 0.5)
        return int(down) + 1;
    if (diff < 0.5)
        return int(down);
    return std::fmod(down, 2.0) == 0.0 ? int(down) : int(down) + 1;
}

MsgBoxGeometry ComputeMsgBoxGeometry(QSize labelSize, MsgButtons buttons) {
    using G = MsgBoxGeometry;
    G g;
    // The picture's width stands in for a right margin as wide as the left one.
    const int width =
        std::max(G::LabelLeft + labelSize.width() + G::PictureWidth + 10, G::MinWidth);
    const int labelBottom = G::LabelTop + labelSize.height();
    int height = labelBottom > G::PictureHeight ? labelBottom + G::StripHeight + 10
                                                : G::PictureHeight + G::StripHeight;
    g.stripHeight = G::StripHeight;
    if ((buttons & mbOKCancel) == 0) {
        height -= G::StripHeight;
        g.stripHeight = 0;
    }
    g.client = QSize(width, height);
    g.pictureTop =
        RoundHalfEven((height - g.stripHeight) / 2.0) - RoundHalfEven(G::PictureHeight / 2.0);

    g.hasOK = (buttons & 1) != 0;
    g.hasCancel = (buttons & 2) != 0;
    const int count = int(g.hasOK) + int(g.hasCancel);
    const int step = RoundHalfEven(double(width) / (count + 1));
    const int top = height - G::ButtonHeight;
    int k = 1;
    if (g.hasOK)
        g.okPos = QPoint(k++ * step - G::ButtonWidth / 2, top);
    if (g.hasCancel)
        g.cancelPos = QPoint(k * step - G::ButtonWidth / 2, top);
    return g;
}
