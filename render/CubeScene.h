// The cube scene: one frame of the cube model drawn into the current context. The model
// computes the frame (turn step, drag rule, visibility, one modelview matrix per cubie); this
// draws it and then lets the model finish a turn that ended in it.
//
// The model's step comes first, outside any paint (TVexilCube::Step gives the frame). Then a
// frame of the window, with the context current, the scene projection set (Projection.h) and
// the cube's orientation AView:
//
//   BeginScene(BackgroundColor, AView);
//   ... the clock ...
//   DrawCubeFrame(Cube, Frame, BodyBuffers);
//   EndScene();
#pragma once

#include "engine/CubeFrame.h"
#include "engine/VexilCube.h"

namespace vexil {

class TCubeBodyBuffers;

// Clears colour and depth to ABackground with alpha 1: grabs and window composition never show
// holes, whatever a texture's alpha.
void ClearScene(const TVertex3f& ABackground);

// ClearScene, then depth test and multisampling on for the frame; EndScene turns them off.
void BeginScene(const TVertex3f& ABackground);
// The same, with AView loaded as the modelview matrix (the cube's orientation of the frame).
void BeginScene(const TVertex3f& ABackground, const TMatrix& AView);
void EndScene();

// Draws AFrame of ACube: per cubie its matrix, the body mesh (lit when global lighting is on)
// and its faces (all six while it turns with its layer, else those facing the viewer), first
// every body, then every face. Alpha writes are masked while drawing, so the framebuffer keeps
// the alpha of the clear. Leaves the modelview matrix as it found it.
// Every state switch is made only where it changes, the body is read from buffer objects, what
// the eye cannot reach is left out (render/HiddenBodyParts.h, render/CubieFaces.h) and the
// triangles of closed bodies that face away are culled: the picture of the plain drawing that
// sets and clears everything per cubie and face, but for a few pixels where rims meet, at a
// fraction of the driver's work.
// ABuffers keeps the body's buffers from frame to frame; ACube is only read.
void DrawCubeFrame(const TVexilCube& ACube, const TCubeFrame& AFrame, TCubeBodyBuffers& ABuffers);
// The same with body buffers made for this frame alone.
void DrawCubeFrame(const TVexilCube& ACube, const TCubeFrame& AFrame);

} // namespace vexil
