// The canvas's size on the page. Where the window has room for twice the picture or more, the
// canvas shows it at the largest whole factor that fits, so every picture pixel is a square
// block of screen pixels; a window narrower than the picture (a phone) gets it scaled down to
// its width. The canvas keeps its own pixels: only its displayed size changes, and the page
// maps pointer positions through that size.
'use strict';

(() => {
  const canvas = document.getElementById('canvas');
  const app = document.getElementById('app');
  const frame = document.getElementById('graphics');

  function fit() {
    const page = document.documentElement;
    const appStyle = getComputedStyle(app);
    const border = frame.offsetWidth - frame.clientWidth;
    const roomWidth = page.clientWidth - parseFloat(appStyle.paddingLeft) -
                      parseFloat(appStyle.paddingRight) - border;
    // Height: what the page shows above the canvas and its frame's foot below stay in view.
    const shown = canvas.getBoundingClientRect(), frameBox = frame.getBoundingClientRect();
    const above = shown.top + window.scrollY;
    const below = frameBox.bottom - shown.bottom + parseFloat(appStyle.paddingBottom);
    const roomHeight = page.clientHeight - above - below;
    const scale = roomWidth < canvas.width
        ? Math.max(roomWidth, 1) / canvas.width
        : Math.max(1, Math.min(Math.floor(roomWidth / canvas.width),
                               Math.floor(roomHeight / canvas.height)));
    app.style.setProperty('--canvas-width', canvas.width * scale + 'px');
    app.style.setProperty('--canvas-height', canvas.height * scale + 'px');
  }

  fit();
  window.addEventListener('resize', fit);
  // The title's font may come later and change the height above the canvas.
  if (document.fonts) document.fonts.ready.then(fit);
})();
