#include "app/settings/ViewMode.h"

#include "app/screens/ClientArea.h"
#include "app/shell/CommandIds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tf {

double ZoomFactor(Zoom zoom) {
    switch (zoom) {
    case Zoom::X1_5:
        return 1.5;
    case Zoom::X2:
        return 2.0;
    case Zoom::X3:
        return 3.0;
    case Zoom::X1:
        break;
    }
    return 1.0;
}

std::string_view ZoomText(Zoom zoom) {
    switch (zoom) {
    case Zoom::X1_5:
        return "1.5";
    case Zoom::X2:
        return "2";
    case Zoom::X3:
        return "3";
    case Zoom::X1:
        break;
    }
    return "1";
}

std::optional<Zoom> ZoomFromText(std::string_view text) {
    for (Zoom zoom : AllZooms) {
        if (text == ZoomText(zoom)) {
            return zoom;
        }
    }
    // "2.0" and "3.0" as a hand may write them.
    if (text == "1.0") {
        return Zoom::X1;
    }
    if (text == "2.0") {
        return Zoom::X2;
    }
    if (text == "3.0") {
        return Zoom::X3;
    }
    return std::nullopt;
}

int ZoomCommand(Zoom zoom) {
    switch (zoom) {
    case Zoom::X1_5:
        return ZoomX15Command;
    case Zoom::X2:
        return ZoomX2Command;
    case Zoom::X3:
        return ZoomX3Command;
    case Zoom::X1:
        break;
    }
    return ZoomX1Command;
}

std::optional<Zoom> ZoomOfCommand(int command) {
    for (Zoom zoom : AllZooms) {
        if (ZoomCommand(zoom) == command) {
            return zoom;
        }
    }
    return std::nullopt;
}

PixelSize ZoomedSize(Zoom zoom) {
    const double factor = ZoomFactor(zoom);
    return {static_cast<int>(std::lround(ClientWidth * factor)),
            static_cast<int>(std::lround(ClientHeight * factor))};
}

Zoom StartZoom(int availableHeight, int decorationHeight) {
    Zoom chosen = Zoom::X1;
    for (Zoom zoom : AllZooms) {
        // Whole numbers: window height * 10 <= available height * 7.
        const std::int64_t window = std::int64_t{ZoomedSize(zoom).height} + std::max(decorationHeight, 0);
        if (window * 10 <= std::int64_t{availableHeight} * 7) {
            chosen = zoom;
        }
    }
    return chosen;
}

bool ZoomFits(Zoom zoom, const ScreenRoom& room) {
    if (zoom == Zoom::X1) {
        return true;
    }
    const PixelSize size = ZoomedSize(zoom);
    const bool widthFits =
        room.availableWidth <= 0 || size.width + std::max(room.decorationWidth, 0) <= room.availableWidth;
    const bool heightFits =
        room.availableHeight <= 0 || size.height + std::max(room.decorationHeight, 0) <= room.availableHeight;
    return widthFits && heightFits;
}

std::array<bool, AllZooms.size()> OfferedZooms(const ScreenRoom& room) {
    std::array<bool, AllZooms.size()> offered{};
    for (std::size_t i = 0; i < AllZooms.size(); ++i) {
        offered[i] = ZoomFits(AllZooms[i], room);
    }
    return offered;
}

Zoom FittingZoom(Zoom zoom, const ScreenRoom& room) {
    Zoom chosen = Zoom::X1;
    for (Zoom candidate : AllZooms) {
        if (ZoomFactor(candidate) <= ZoomFactor(zoom) && ZoomFits(candidate, room)) {
            chosen = candidate;
        }
    }
    return chosen;
}

namespace {

/// The largest size of the picture's shape that fits the area.
void FillArea(PicturePlacement& placement, int areaWidth, int areaHeight) {
    // Compared in whole numbers, so a screen of exactly the picture's shape fills edge to edge.
    if (std::int64_t{areaWidth} * ClientHeight >= std::int64_t{areaHeight} * ClientWidth) {
        placement.height = areaHeight;
        placement.width =
            static_cast<int>((std::int64_t{areaHeight} * ClientWidth + ClientHeight / 2) / ClientHeight);
    } else {
        placement.width = areaWidth;
        placement.height =
            static_cast<int>((std::int64_t{areaWidth} * ClientHeight + ClientWidth / 2) / ClientWidth);
    }
    placement.smooth = true;
}

} // namespace

PicturePlacement PlacePicture(const ViewMode& mode, int areaWidth, int areaHeight, double devicePixelRatio) {
    PicturePlacement placement;
    areaWidth = std::max(areaWidth, 0);
    areaHeight = std::max(areaHeight, 0);
    const double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    if (mode.fullScreen) {
        // Whole screen pixels a picture pixel keep its edges sharp; the bands around are black.
        const auto factor = static_cast<int>(std::min(std::floor(areaWidth * ratio / ClientWidth),
                                                      std::floor(areaHeight * ratio / ClientHeight)));
        if (mode.smoothFill || factor < 1) {
            FillArea(placement, areaWidth, areaHeight);
        } else {
            placement.width = static_cast<int>(std::lround(ClientWidth * factor / ratio));
            placement.height = static_cast<int>(std::lround(ClientHeight * factor / ratio));
        }
    } else {
        const PixelSize size = ZoomedSize(mode.zoom);
        placement.width = size.width;
        placement.height = size.height;
        const double physical = ZoomFactor(mode.zoom) * ratio;
        placement.smooth = physical != std::floor(physical);
    }
    placement.x = std::max((areaWidth - placement.width) / 2, 0);
    placement.y = std::max((areaHeight - placement.height) / 2, 0);
    return placement;
}

} // namespace tf
