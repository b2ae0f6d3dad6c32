// KOBRIX: everything a user program needs.
#ifndef KOBRIX_H
#define KOBRIX_H

#include "kbx_core.h"
#include "kbx_textwin.h"
#include "kbx_boxes.h"
#include "kbx_image.h"
#include "kbx_imageproc.h"
#include "kbx_commands.h"

#endif
