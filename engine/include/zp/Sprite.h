/// \file
/// A labelled animation: a fixed number of frames of one size and one colour,
/// read from a sprite file and owned by the resource manager.
#pragma once

#include "zp/Color.h"
#include "zp/Frame.h"

#include <string>
#include <vector>

namespace zp {

class Sprite {
public:
    explicit Sprite(int max_frames);
    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;

    int getWidth() const;
    void setWidth(int new_width);
    int getHeight() const;
    void setHeight(int new_height);
    Color getColor() const;
    void setColor(Color new_color);
    const std::string& getLabel() const;
    void setLabel(std::string new_label);
    int getFrameCount() const;
    int getMaxFrameCount() const;

    /// -1 when the sprite already holds its maximum number of frames.
    int pushFrame(const Frame& new_frame);
    /// The frame at index, or the empty frame outside 0 ... frame count - 1.
    const Frame& getFrame(int index) const;

private:
    int width = 0;
    int height = 0;
    int max_frame_count;
    Color color = COLOR_DEFAULT;
    /// Grows as frames are pushed, up to max_frame_count, so a bogus frame
    /// count in a file costs nothing until frames actually arrive.
    std::vector<Frame> frame;
    std::string label;
};

} // namespace zp
