#pragma once

// For tests of the real program: with COILRUN_GL_LOSS_SIGNAL set in the environment,
// SIGUSR1 makes every GL view draw a frame, lose its context, make a new one and draw
// the same moment again, the process stopping itself (SIGSTOP) after each of the two
// frames so that the screen can be looked at until it is continued. Nothing moves on
// between them, so the two pictures must be the same. Without the variable nothing is
// installed and SIGUSR1 keeps its ordinary meaning. Where there are no such signals
// (windows/), nothing is ever installed.
namespace coilrun::qt {

void installGlLossSignal();

} // namespace coilrun::qt
