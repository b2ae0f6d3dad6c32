// The processing menu's commands that act on the whole picture and need
// neither the pointer nor a prompt: the test patterns, invert, the mirrors,
// the quarter turns and the fixed scalings. A program may run these by
// number as well; the others wait for the user.
#ifndef KBX_IMAGEPROC_PICTURE_COMMANDS_H
#define KBX_IMAGEPROC_PICTURE_COMMANDS_H

namespace kbx {

enum PictureCommandKind {
    kNotPictureCommand = 0,
    kPictureInPlace,     // invert and the mirrors: the window's selection stays
    kPictureSelecting,   // patterns, turns, scalings: the menu selects the window first
};

PictureCommandKind picture_command_kind(int id);

}  // namespace kbx

#endif
