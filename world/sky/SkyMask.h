#pragma once
// The sky drawn after the course's opaque passes without showing over them: the course marks
// the pixels it draws in the stencil, the sky fills only the unmarked ones, and then the unmarked
// pixels take the far depth again and every mark is cleared, as if the depth had been cleared
// between the sky and the course. The sky is then never shaded under the course.

// True when the depth surface has a stencil to mark in.
bool SkyMaskAvailable();

// Around the course's opaque passes: every pixel they draw is marked.
void BeginCourseMarking();
void EndCourseMarking();

// Around the sky's passes: only unmarked pixels are drawn; the end puts the far depth back on
// them and clears the marks.
void BeginSkyOutsideCourse();
void EndSkyOutsideCourse();
