#include "imageproc/picture_commands.h"

#include "kbx_commands.h"

namespace kbx {

PictureCommandKind picture_command_kind(int id) {
    switch (id) {
        case KBX_CMD_INVERT:
        case KBX_CMD_FLIP_HORZ:
        case KBX_CMD_FLIP_VERT:
            return kPictureInPlace;
        case KBX_CMD_PATTERN_RGB:
        case KBX_CMD_PATTERN_HSV:
        case KBX_CMD_PATTERN_YCRCB:
        case KBX_CMD_PATTERN_YUV:
        case KBX_CMD_PATTERN_YIQ:
        case KBX_CMD_PATTERN_GREY:
        case KBX_CMD_ROTATE_RIGHT:
        case KBX_CMD_ROTATE_LEFT:
        case KBX_CMD_SCALE_50:
        case KBX_CMD_SCALE_71:
        case KBX_CMD_SCALE_141:
        case KBX_CMD_SCALE_200:
            return kPictureSelecting;
        default:
            return kNotPictureCommand;
    }
}

}  // namespace kbx
