// Effects drawn as many ordinary blits, each moved or cut differently: a sine wave, bands pushed
// apart, a card turn, a burst of the four quadrants and a disc cut out of the image. They hold no
// state; the stage's character and screen effects call them every frame with a growing step.
// nFlags is passed to every blit (1: colour key). Game thread.
#pragma once

#include "graphics/DDSurfaceData.h"

// The nWidth x nHeight image at (sx, sy) drawn at (x, y) in bands of nBand lines (or columns when
// bVertical), each shifted along its length by dAmplitude x sin((nPhase + band angle) x
// nFrequency) pixels; the band angles run over 360 degrees across the image. nBand 0 or below
// draws nothing.
void DDBltWave(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nFrequency, double dAmplitude,
               int nPhase, int nBand, DDSURFACEDATA* lpSrcSD, int sx, int sy, int nFlags, BOOL bVertical);

// The image cut into bands of nBand columns (bVertical) or lines, odd bands moved by -nShift and
// even ones by +nShift across the bands; what remains beyond the last whole band is not drawn.
// nBand 0 is one plain blit; a negative band draws nothing.
void DDBltSplit(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nBand, int nShift,
                DDSURFACEDATA* lpSrcSD, int sx, int sy, int nFlags, BOOL bVertical);

// Frame nStep of a card turning about its vertical (nDirection 0) or horizontal (1) axis: the
// face (front at fx, fy of lpFrontSD or back at bx, by of lpBackSD, both nSrcWidth x nSrcHeight)
// stretched to a width (height) that narrows from the full nWidth (nHeight) to 2 pixels and
// widens again, switching faces at the narrowest point; a period is 2 x the size in steps. Other
// directions, and a size below 2, draw nothing.
void DDBltTurn(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpFrontSD, int fx, int fy,
               DDSURFACEDATA* lpBackSD, int bx, int by, int nSrcWidth, int nSrcHeight, int nFlags, int nStep,
               int nDirection);

// The four quadrants (nWidth >> 1 x nHeight >> 1 each) drawn moved apart diagonally by nDistance.
void DDBltBurst(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx, int sy,
                int nDistance, int nFlags);

// The disc of radius nRadius around (scx, scy) of the source, limited to the rectangle of half
// sizes nHalfWidth x nHalfHeight around it, drawn around (cx, cy) in strips of nBand rows. 0 at
// once when nRadius or nBand is 0 or below; otherwise the sprite batch's result.
int DDBltCircle(DDSURFACEDATA* lpDstSD, int cx, int cy, int nHalfWidth, int nHalfHeight, int nRadius, int nBand,
                DDSURFACEDATA* lpSrcSD, int scx, int scy, int nFlags);
