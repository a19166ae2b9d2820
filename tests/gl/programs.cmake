# The small GL programs under tests/gl/ that hold the page's stand-in against
# Mesa: each is built for the desktop (tests/CMakeLists.txt) and as a page
# (web/CMakeLists.txt), and the scenario table names it by its name here.
set(gl_test_programs colours normals texels changing refusals lists vertices edges transforms lights fragments lines polygons mipmaps textures pixels queries refused glu shapes text input single menus nurbs lifecycle)
