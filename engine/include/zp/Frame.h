/// \file
/// One picture of a sprite: width x height characters stored row after row.
#pragma once

#include <string>

namespace zp {

class Frame {
public:
    /// The empty frame: nothing to draw.
    Frame() = default;
    Frame(int width, int height, std::string frame_str);

    int getWidth() const;
    void setWidth(int new_width);
    int getHeight() const;
    void setHeight(int new_height);
    const std::string& getString() const;
    void setString(std::string new_frame_str);

private:
    int width = 0;
    int height = 0;
    std::string frame_str;
};

} // namespace zp
