#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

// The window's icon (an open padlock, 32 and 16 px) and the 49 x 47 logo,
// drawn rather than shipped so they stay sharp and need no files.
QIcon padlockIcon();
// The padlock at any size; the installed desktop icons are rendered from it.
QImage padlockImage(int size);
QPixmap logoPixmap();
