// The stage's text list as a whole: stepping and drawing every object of it in order, and
// emptying it. Game thread (and the stage's wait loop while the game thread waits for it).
#pragma once

#include <list>

#include "objects/cTextObj.h"

struct DDSURFACEDATA;

// cTextObj::UpdateDraw for each object of the list in order: its step, then its drawing into
// target; an object whose step ends it is deleted. bInWait: the frame is drawn by a blocking
// command's nested loop. nFrame: the stage's play-frame counter.
void UpdateDrawTextObjects(std::list<cTextObj>& list, DDSURFACEDATA* target, int bInWait, int nFrame);
// Releases every object's surface and empties the list.
void ClearTextObjects(std::list<cTextObj>& list);
// Deletes the object at address obj from the list (releasing its surface) when it is still
// there; a blocking command removes its own object this way after the wait.
void EraseTextObject(std::list<cTextObj>& list, const cTextObj* obj);
