// The matrix helpers must give exactly what the fixed-function calls give, since the window
// keeps the cube's orientation in a TMatrix instead of the context's matrix stack.
#include "render/GLMatrix.h"
#include "tests/render/OffscreenFixture.h"

namespace vexil {
namespace {

class GLMatrixTest : public TOffscreenTest {
protected:
  static TMatrix CurrentModelView() {
    TMatrix M{};
    glGetFloatv(GL_MODELVIEW_MATRIX, M.data());
    return M;
  }

  static void ExpectNear(const TMatrix& AActual, const TMatrix& AExpected) {
    for (int I = 0; I < 16; ++I) {
      EXPECT_NEAR(AActual[I], AExpected[I], 1e-6) << "element " << I;
    }
  }
};

TEST_F(GLMatrixTest, RotationTranslationAndScaleMatchTheMatrixCalls) {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glRotatef(52.5f, 0.0f, 1.0f, 0.0f);
  ExpectNear(GLRotationMatrix(52.5, 0, 1, 0), CurrentModelView());

  glLoadIdentity();
  glRotatef(-33.0f, 1.0f, 2.0f, -3.0f);
  ExpectNear(GLRotationMatrix(-33.0, 1, 2, -3), CurrentModelView());

  glLoadIdentity();
  glTranslatef(0.5f, -1.0f, 2.25f);
  ExpectNear(GLTranslationMatrix(0.5, -1.0, 2.25), CurrentModelView());

  glLoadIdentity();
  glScalef(0.3f, 0.3f, 0.3f);
  ExpectNear(GLScaleMatrix(0.3), CurrentModelView());
}

TEST_F(GLMatrixTest, ProductsComposeLikeSuccessiveCalls) {
  // The frame spin of the window: rotations on the screen axes in front of the orientation.
  const TMatrix orientation =
      MultiplyMatrix(GLRotationMatrix(35, 1, 0, 0), GLRotationMatrix(52.5, 0, 1, 0));
  glLoadIdentity();
  glRotatef(3.5f, 0.0f, 1.0f, 0.0f);
  glRotatef(-3.5f, 1.0f, 0.0f, 0.0f);
  glMultMatrixf(orientation.data());
  glTranslatef(0.25f, 0.5f, -0.75f);
  const TMatrix expected =
      MultiplyMatrix(MultiplyMatrix(MultiplyMatrix(GLRotationMatrix(3.5, 0, 1, 0),
                                                   GLRotationMatrix(-3.5, 1, 0, 0)),
                                    orientation),
                     GLTranslationMatrix(0.25, 0.5, -0.75));
  ExpectNear(expected, CurrentModelView());
}

TEST(GLMatrixPureTest, ZeroAxisGivesTheIdentityAndTheIdentityIsNeutral) {
  EXPECT_EQ(GLRotationMatrix(45, 0, 0, 0), IdentityMatrix());
  const TMatrix r = GLRotationMatrix(17, 0.3, -0.4, 0.5);
  EXPECT_EQ(MultiplyMatrix(IdentityMatrix(), r), r);
  EXPECT_EQ(MultiplyMatrix(r, IdentityMatrix()), r);
}

} // namespace
} // namespace vexil
