#pragma once

// Indexes of the 16 x 16 pictures of menu items and action buttons.
enum TListPicture : int {
    lpTimerFile = 0,
    lpDirectory = 1,
    lpSleep = 2,
    lpCommand = 3,
    lpPlay = 4,
    lpPause = 5,
    lpStop = 6,
    lpForward = 7,
    lpRewind = 8,
    lpBlank = 9,
    lpDirPlus = 10,
    lpDirMinus = 11,
    lpVolumeUp = 12,
    lpVolumeDown = 13,
    lpUsb = 14,
    lpInternal = 15,
    lpExternal = 16,
    lpVolume = 17,
    lpValue = 18,
    lpProgramNumber = 19,
    lpGoToProgram = 20,
    ListPictureCount = 21,
};
