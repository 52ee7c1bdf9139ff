// The thread the engine runs on. Everything of the engine (the world, its
// objects and events, drawing, input, resources) belongs to the thread that
// started the world; in debug builds a call from any other thread while the
// engine runs names itself on standard error and in the log, and stops the
// program there, before it can corrupt the world.
#pragma once

namespace zp {

// The calling thread becomes the loop's thread (the world's start-up).
void claimLoopThread();
// No thread is the loop's any more (the world's shut-down).
void releaseLoopThread();
// Reports `call` and aborts when a loop thread is claimed and this is
// another thread.
void checkLoopThread(const char* call);

} // namespace zp

#ifdef NDEBUG
#define ZP_LOOP_THREAD_ONLY(call) ((void)0)
#else
#define ZP_LOOP_THREAD_ONLY(call) ::zp::checkLoopThread(call)
#endif
